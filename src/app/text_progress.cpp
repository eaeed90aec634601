// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text_progress.hpp"

#include "app/command.hpp"
#include "transmission/link_advice.hpp"
#include "transmission/transmission_texts.hpp"

#include <ostream>

namespace lumivel::cli {

void printLink(std::ostream& err, const LinkMeasurement& link, const std::string& device) {
    err << estimateCaption(link) << '\n';
    const std::optional<LinkAdvice> advice =
        slowLinkAdvice(link, device, findUsbAdapter(device), thisSystem());
    if (!advice) {
        return;
    }
    err << advice->title << ".\n" << advice->texto << '\n';
    if (!advice->command.empty()) {
        err << "Orden para " << device << ": " << advice->command << '\n';
    }
}

void TextProgress::connected() {
    err_ << "CONECCION EXITOSA !!!\n";
}

void TextProgress::measured(const LinkMeasurement& link) {
    finishBar();
    printLink(err_, link, device_);
}

void TextProgress::progress(int i) {
    const int done = i + 1;
    const int percent = total_ > 0 ? done * 100 / total_ : 100;
    const std::string left = secondsLeft_ >= 0 ? timeLeftCaption(secondsLeft_) : std::string();
    if (terminal_) {
        const auto now = std::chrono::steady_clock::now();
        if (done != total_ && now - last_ < std::chrono::milliseconds(50)) {
            return;
        }
        last_ = now;
        const int fullFiles = percent * 40 / 100;
        // Spaces after the time left wipe what a longer one left on the line.
        err_ << "\r[" << std::string(static_cast<std::size_t>(fullFiles), '#')
             << std::string(static_cast<std::size_t>(40 - fullFiles), '.') << "] " << percent
             << "% " << done << '/' << total_ << (left.empty() ? "" : "  " + left) << "    "
             << std::flush;
        onBar_ = true;
    } else if (percent / 10 > tenth_) {
        tenth_ = percent / 10;
        err_ << "Enviados " << done << " de " << total_ << " bytes (" << percent << "%)"
             << (left.empty() || done == total_ ? "" : ". " + left) << '\n';
    }
}

void TextProgress::dataError() {
    finishBar();
    // The transfer goes on: a warning, printed as a failure would be.
    err_ << "simlumivel send: " << boxText(dataErrorBox()) << '\n';
}

void TextProgress::finishBar() {
    if (onBar_) {
        err_ << '\n';
        onBar_ = false;
    }
}

} // namespace lumivel::cli
