// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/link_advice.hpp"

namespace lumivel {
namespace {

std::string adapterName(const std::optional<UsbAdapter>& adapter) {
    const std::string family = adapter ? chipFamily(adapter->vendorId) : std::string();
    return family.empty() ? "el adaptador USB" : "el adaptador USB " + family;
}

std::string fixFor(AdviceSystem system, const LinkAdvice& advice) {
    switch (system) {
    case AdviceSystem::Linux:
        if (!advice.command.empty()) {
            return "Arreglo: ponga su latency_timer a 1 ms con la orden para " + advice.device +
                   "; para que dure al volver a enchufarlo, instale la regla de udev del README "
                   "(99-lumivel-latency.rules).";
        }
        return "Arreglo: si el controlador del adaptador tiene latency_timer en "
               "/sys/bus/usb-serial/devices/, póngalo a 1 ms (el README muestra la orden y la "
               "regla de udev); si no lo tiene, pruebe con otro adaptador.";
    case AdviceSystem::Windows:
        return "Arreglo en Windows: en el Administrador de dispositivos abra Puertos (COM y LPT), "
               "las Propiedades del puerto del adaptador, Configuración de puerto y Opciones "
               "avanzadas, y ponga «Latency Timer (msec)» a 1; después desenchufe el adaptador y "
               "vuelva a enchufarlo.";
    case AdviceSystem::Other:
        break;
    }
    return "Arreglo: ponga a 1 ms el temporizador de latencia del adaptador (en Windows, "
           "«Latency Timer» en las Opciones avanzadas del puerto; en Linux, su latency_timer en "
           "/sys, como muestra el README).";
}

} // namespace

std::optional<LinkAdvice> slowLinkAdvice(const LinkMeasurement& link, const std::string& device,
                                         const std::optional<UsbAdapter>& adapter,
                                         AdviceSystem system) {
    if (!link.slow()) {
        return std::nullopt;
    }
    LinkAdvice advice;
    advice.device = device;
    if (system == AdviceSystem::Linux && adapter && !adapter->latencyTimerPath.empty()) {
        advice.command = "echo 1 | sudo tee " + adapter->latencyTimerPath;
    }
    advice.title = "El enlace con el Lumivel es lento";
    advice.texto = "Cada byte tarda " + millisecondsText(link.roundTripMs) +
                   " ms en ir y volver; a " + std::to_string(kLineBaud) + " baudios bastan " +
                   millisecondsText(kWireMsPerExchange) + " ms.\n";
    advice.texto += "Lo más probable es que " + adapterName(adapter) +
                    " retenga lo que recibe hasta que vence su temporizador de latencia (16 ms "
                    "de fábrica en muchos adaptadores).\n";
    advice.texto += "Así la transmisión tardará unos " + durationText(link.estimateMs()) +
                    " en lugar de " + durationText(link.wireMs()) + ".\n";
    advice.texto += fixFor(system, advice);
    return advice;
}

MessageBoxSpec adviceBox(const LinkAdvice& advice) {
    MessageBoxSpec box;
    box.title = advice.title;
    box.icon = Icon::Information;
    box.texto = advice.texto;
    if (!advice.command.empty()) {
        box.texto += "\n\n¿Quiere ver la orden para " + advice.device + "?";
        box.buttons = Buttons::YesNo;
        box.defaultAnswer = Answer::Yes;
    }
    return box;
}

MessageBoxSpec commandBox(const LinkAdvice& advice) {
    MessageBoxSpec box;
    box.title = "Orden para " + advice.device;
    box.icon = Icon::Information;
    box.texto =
        "Escríbala en una terminal (pide la contraseña de administrador):\n\n" + advice.command;
    return box;
}

} // namespace lumivel
