// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "transmission/sign_link.hpp"

#include <chrono>
#include <iosfwd>
#include <string>

namespace lumivel::cli {

// Says on stderr what the line costs and, once, why when it is slow: the estimate, and the
// advice with the command that fixes it for `device`.
void printLink(std::ostream& err, const LinkMeasurement& link, const std::string& device);

// A transfer's progress on stderr: a bar redrawn in place on a terminal, with the time left,
// or a line every tenth otherwise.
class TextProgress : public TransferObserver {
  public:
    TextProgress(std::ostream& err, bool terminal, std::string device)
        : err_(err), terminal_(terminal), device_(std::move(device)) {}

    void connected() override;
    void setMaximum(int totaldatos) override { total_ = totaldatos + 1; }
    void measured(const LinkMeasurement& link) override;
    void timeLeft(int seconds) override { secondsLeft_ = seconds; }
    void progress(int i) override;
    void dataError() override;
    // Ends the bar's line, so what follows starts on a line of its own.
    void finishBar();

  private:
    std::ostream& err_;
    bool terminal_;
    std::string device_;
    int total_ = 0;
    int tenth_ = 0;
    int secondsLeft_ = -1;
    bool onBar_ = false;
    std::chrono::steady_clock::time_point last_{};
};

} // namespace lumivel::cli
