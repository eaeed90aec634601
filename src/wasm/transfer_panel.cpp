// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/transfer_panel.hpp"

#include "base/json.hpp"
#include "transmission/transmission_texts.hpp"
#include "wasm/box_json.hpp"

namespace lumivel {
namespace {

const char* outcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::NothingToSend:
        return "NothingToSend";
    case Outcome::TooLarge:
        return "TooLarge";
    case Outcome::ReadError:
        return "ReadError";
    case Outcome::PortNotOpened:
        return "PortNotOpened";
    case Outcome::NoConnection:
        return "NoConnection";
    case Outcome::Verified:
        return "Verified";
    case Outcome::WithErrors:
        return "WithErrors";
    case Outcome::SignSilent:
        return "SignSilent";
    case Outcome::PortLost:
        return "PortLost";
    case Outcome::Stopped:
        break;
    }
    return "Stopped";
}

} // namespace

void TransferPanel::reload() {
    // Another tab may have replaced the file; what is sent is what it holds now.
    (void)l_.archivo.reopenIfReplaced();
    // The build reads the records through the one record buffer.
    const tipomensaje recalled = l_.mensaje;
    const std::int16_t total = l_.totalmensajes;
    load_ = cargarcomm(l_, image_, l_.totaldatos);
    l_.mensaje = recalled;
    l_.totalmensajes = total;
}

SendResult TransferPanel::send(Port& port, TransferObserver& observer, int waitMs) {
    reload();
    if (std::optional<SendResult> refused = refusal(load_)) {
        return *refused;
    }
    return sendImage(port, load_, image_, l_.totaldatos, observer, waitMs);
}

std::vector<std::uint8_t> TransferPanel::imageBytes() const {
    if (load_.estado != ImageState::Ready) {
        return {};
    }
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i <= l_.totaldatos; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(image_.datos[static_cast<std::size_t>(i)]));
    }
    return bytes;
}

std::optional<LinkAdvice> TransferPanel::adviseOnce(const LinkMeasurement& link,
                                                    const std::string& portName,
                                                    const std::optional<UsbAdapter>& adapter,
                                                    AdviceSystem system) {
    std::optional<LinkAdvice> advice = slowLinkAdvice(link, portName, adapter, system);
    if (advice && !advisedPorts_.insert(portName).second) {
        return std::nullopt;
    }
    return advice;
}

std::string measuredJson(const LinkMeasurement& link, const std::optional<LinkAdvice>& advice) {
    const bool hasCommand = advice && !advice->command.empty();
    return "{\"estimate\":" + jsonString(estimateCaption(link)) +
           ",\"advice\":" + (advice ? boxJson(adviceBox(*advice)) : std::string("null")) +
           ",\"command\":" + (hasCommand ? boxJson(commandBox(*advice)) : std::string("null")) +
           "}";
}

std::string panelJson(const TransferPanel& panel) {
    const Caption size = sizeCaption(panel.load(), panel.image().ndatos);
    return "{\"messages\":" + jsonString(messagesCaption(panel.load())) +
           ",\"size\":{\"texto\":" + jsonString(size.texto) +
           ",\"toolTip\":" + jsonString(size.toolTip) +
           "},\"ready\":" + (panel.load().estado == ImageState::Ready ? "true" : "false") +
           ",\"title\":" + jsonString(kTransmissionTitle) +
           ",\"connectedTitle\":" + jsonString(kConnectedTitle) +
           ",\"programming\":" + jsonString(kProgrammingStatus) + "}";
}

std::string sendJson(const SendResult& result, const LoadResult& load,
                     const std::string& portName) {
    const std::optional<MessageBoxSpec> box = outcomeBox(result, load, portName);
    return std::string("{\"outcome\":\"") + outcomeName(result.outcome) +
           "\",\"status\":" + jsonString(finishedStatus(result)) +
           ",\"connected\":" + (keepsConnectedTitle(result.outcome) ? "true" : "false") +
           ",\"verified\":" + std::to_string(result.transfer.verified) + ",\"estimate\":" +
           (result.transfer.link ? jsonString(estimateCaption(*result.transfer.link))
                                 : std::string("null")) +
           ",\"box\":" + (box ? boxJson(*box) : std::string("null")) + "}";
}

} // namespace lumivel
