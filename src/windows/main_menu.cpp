// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/main_menu.hpp"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace lumivel {
namespace {

QAction* named(QAction* action, const char* name) {
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

MainMenu buildMainMenu(QMenuBar& bar) {
    MainMenu m;
    QMenu* file = bar.addMenu(QStringLiteral("&Archivo"));
    m.opnuevo = named(file->addAction(QStringLiteral("&Nuevo")), "opnuevo");
    m.opnuevo->setShortcut(QKeySequence::New);
    m.opabrir = named(file->addAction(QStringLiteral("A&brir")), "opabrir");
    m.opabrir->setShortcut(QKeySequence::Open);
    m.opguardar = named(file->addAction(QStringLiteral("&Guardar")), "opguardar");
    m.opguardar->setShortcut(QKeySequence::Save);
    file->addSeparator();
    m.opsalir = named(file->addAction(QStringLiteral("Salir")), "opsalir");
    m.opsalir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m.recentFiles = file->addMenu(QStringLiteral("Archivos recientes"));
    m.recentFiles->setObjectName(QStringLiteral("recentFiles"));
    file->addSeparator();
    m.importImage = named(file->addAction(QStringLiteral("Importar imagen...")), "importImage");
    m.exportImage = named(file->addAction(QStringLiteral("Exportar imagen...")), "exportImage");
    m.exportAnimation =
        named(file->addAction(QStringLiteral("Exportar animación...")), "exportAnimation");

    QMenu* options = bar.addMenu(QStringLiteral("&Opciones"));
    m.optexto = named(options->addAction(QStringLiteral("Texto")), "optexto");
    m.opgrafico = named(options->addAction(QStringLiteral("Grafico")), "opgrafico");
    m.textToPicture = named(options->addAction(QStringLiteral("Texto a dibujo")), "textToPicture");

    m.opconfiguracion = named(bar.addAction(QStringLiteral("&Configuracion")), "opconfiguracion");

    QMenu* run = bar.addMenu(QStringLiteral("&Ejecucion"));
    m.opsimular = named(run->addAction(QStringLiteral("Simular")), "opsimular");
    m.opsimular->setShortcut(QKeySequence(Qt::Key_F5));
    run->addSeparator();
    m.openviar = named(run->addAction(QStringLiteral("Enviar")), "openviar");
    run->addSeparator();
    m.opreloj = named(run->addAction(QStringLiteral("Gráfico en movimiento")), "opreloj");
    m.opreloj->setToolTip(QStringLiteral("Muestra grafico en movimiento"));
    m.playAll = named(run->addAction(QStringLiteral("Simular todo")), "playAll");

    QMenu* skins = bar.addMenu(QStringLiteral("Cambiar Skin"));
    m.skins = new QActionGroup(skins);
    m.skins->setExclusive(true);
    const auto skinEntry = [&](const SkinEntry& entry) {
        QAction* action = skins->addAction(QString::fromUtf8(entry.title));
        action->setCheckable(true);
        m.skins->addAction(action);
        return action;
    };
    for (std::size_t i = 0; i < kSkins.size(); ++i) {
        m.MNUCamb.at(i) = skinEntry(kSkins.at(i));
        m.MNUCamb.at(i)->setObjectName(QStringLiteral("MNUCamb_%1").arg(i));
    }
    skins->addSeparator();
    m.startupSkin = named(skinEntry(kStartupSkin), "startupSkin");

    m.opayuda = named(bar.addAction(QStringLiteral("A&yuda")), "opayuda");
    m.opacerdade = named(bar.addAction(QStringLiteral("Acerca de...")), "opacerdade");
    m.WEB = named(bar.addAction(QStringLiteral("VIsitar WEB")), "WEB");

    m.edit = bar.addMenu(QStringLiteral("E&dición"));
    m.edit->setObjectName(QStringLiteral("edit"));

    QMenu* view = bar.addMenu(QStringLiteral("&Ver"));
    m.opmensajes = named(view->addAction(QStringLiteral("Mensajes")), "opmensajes");
    return m;
}

} // namespace lumivel
