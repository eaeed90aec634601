// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_export.hpp"

#include "app/font_option.hpp"
#include "app/store_session.hpp"
#include "app/text_argument.hpp"
#include "presentation/presentation_choice.hpp"
#include "session/message_list.hpp"
#include "ui/sign_export.hpp"

#include <QColor>

#include <ostream>

namespace lumivel::cli {
namespace {

// --color RRGGBB; without it the LED colour the sign starts with.
QColor ledColour(const Arguments& args, const EditorState& l) {
    const auto color = args.value("color");
    if (!color) {
        return QColor(l.sign.rojo, l.sign.verde, l.sign.azul);
    }
    const QColor parsed(QString::fromStdString("#" + *color));
    if (color->size() != 6 || !parsed.isValid()) {
        throw UsageError{"--color necesita seis cifras hexadecimales RRGGBB"};
    }
    return parsed;
}

} // namespace

Result<int> exportCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"png", true},
                                                 {"gif", true},
                                                 {"font", true},
                                                 {"effect", true},
                                                 {"text", true},
                                                 {"color", true}});
    const auto png = args.value("png");
    const auto gif = args.value("gif");
    if (png.has_value() == gif.has_value()) {
        throw UsageError{"elija una de --png SALIDA o --gif SALIDA"};
    }
    const ExportKind kind = png ? ExportKind::Png : ExportKind::Gif;
    const std::string output = png ? *png : *gif;
    // The message is put on the sign as the window would: typed, or recalled from the file.
    StoreSession session;
    Lumivel& l = session.state();
    if (const auto text = args.value("text")) {
        if (!args.positional.empty()) {
            throw UsageError{"--text no lleva ARCHIVO ni N"};
        }
        session.editText(fontIndex(args), effectIndex(args), *text);
        const TextArgument typed = textArgument(*text);
        warnReplaced(streams.err, "export", typed, "se muestran");
        warnMissingGlyphs(streams.err, "export", fontIndex(args), typed.bytes);
    } else {
        if (args.positional.size() != 2) {
            throw UsageError{"export necesita ARCHIVO y N, o --text TEXTO"};
        }
        if (args.value("font") || args.value("effect")) {
            throw UsageError{"--font y --effect van con --text: cada mensaje tiene los suyos"};
        }
        LUMIVEL_TRY_VOID(session.abrir(args.positional[0], StoreSession::Open::ReadOnly));
        LUMIVEL_TRY_VOID(session.select(args.positional[1]));
        Lstcodigo_Click(l, session.dialogs(), l.lstcodigoIndex);
        LUMIVEL_TRY_VOID(session.check());
    }
    LUMIVEL_TRY_VOID(exportSign(l, kind, output, ledColour(args, l)));
    return kExitOk;
}

} // namespace lumivel::cli
