// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "session/lumivel.hpp"
#include "transmission/link_advice.hpp"
#include "transmission/sign_link.hpp"
#include "transmission/transmission_image.hpp"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lumivel {

// The page's transmission panel: the image and labels of the transmission window, built
// from the open file's messages whenever the panel looks and again at each "Enviar".
class TransferPanel {
  public:
    explicit TransferPanel(Lumivel& l) : l_(l) {}

    // Rebuilds the image; what the person has recalled stays as it was.
    void reload();
    // The image as it is built at this moment, then refused, or sent over `port`.
    SendResult send(Port& port, TransferObserver& observer, int waitMs = kReplyTimeoutMs);

    const LoadResult& load() const { return load_; }
    const TransmissionImage& image() const { return image_; }
    // The bytes the sign receives as image: indexes 0 to totaldatos.
    std::vector<std::uint8_t> imageBytes() const;
    // The advice for a slow line on `portName`, the first time that port is slow.
    std::optional<LinkAdvice> adviseOnce(const LinkMeasurement& link, const std::string& portName,
                                         const std::optional<UsbAdapter>& adapter,
                                         AdviceSystem system);

  private:
    Lumivel& l_;
    TransmissionImage image_;
    LoadResult load_;
    std::set<std::string> advisedPorts_;
};

// The labels and the window's own texts: {messages, size: {texto, toolTip}, ready, title,
// connectedTitle, programming}.
std::string panelJson(const TransferPanel& panel);
// The line once measured: {estimate, advice, command}, the boxes null when there is
// nothing to say (a good line, a port already advised, no command for it).
std::string measuredJson(const LinkMeasurement& link, const std::optional<LinkAdvice>& advice);
// How "Enviar" ended: {outcome, status, connected, verified, estimate (null when the line
// was never measured), box (null when none)}.
std::string sendJson(const SendResult& result, const LoadResult& load, const std::string& portName);

} // namespace lumivel
