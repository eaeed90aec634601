// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/web_transfer.hpp"

#include "transmission/transmission_texts.hpp"
#include "wasm/box_json.hpp"
#include "wasm/web_serial_port.hpp"

#include <emscripten.h>

// clang-format off
EM_JS(void, transferConnected, (), {
    Module.lumivelHooks.transfer.connected();
});

EM_JS(void, transferMaximum, (int totaldatos), {
    Module.lumivelHooks.transfer.maximum(totaldatos);
});

EM_JS(void, transferProgress, (int i), {
    Module.lumivelHooks.transfer.progress(i);
});

// The box is shown while the transfer goes on, as in the window.
EM_JS(void, transferDataError, (const char* box), {
    Module.lumivelHooks.transfer.dataError(JSON.parse(UTF8ToString(box)));
});

// The estimate, and the advice for a slow line, shown while the transfer goes on.
EM_JS(void, transferMeasured, (const char* json), {
    Module.lumivelHooks.transfer.measured(JSON.parse(UTF8ToString(json)));
});

EM_JS(void, transferTimeLeft, (const char* caption), {
    Module.lumivelHooks.transfer.timeLeft(UTF8ToString(caption));
});

EM_JS(int, transferStopRequested, (), {
    return Module.lumivelHooks.transfer.stopRequested() ? 1 : 0;
});
// clang-format on

namespace lumivel {
namespace {

class PageObserver : public TransferObserver {
  public:
    PageObserver(TransferPanel& panel, std::string portName, std::optional<UsbAdapter> adapter,
                 AdviceSystem system)
        : panel_(panel), portName_(std::move(portName)), adapter_(adapter), system_(system) {}

    void connected() override { transferConnected(); }
    void measured(const LinkMeasurement& link) override {
        const auto advice = panel_.adviseOnce(link, portName_, adapter_, system_);
        transferMeasured(measuredJson(link, advice).c_str());
    }
    void timeLeft(int seconds) override { transferTimeLeft(timeLeftCaption(seconds).c_str()); }
    void setMaximum(int totaldatos) override { transferMaximum(totaldatos); }
    void progress(int i) override { transferProgress(i); }
    void dataError() override { transferDataError(boxJson(dataErrorBox()).c_str()); }
    bool shouldStop() override { return transferStopRequested() != 0; }

  private:
    TransferPanel& panel_;
    std::string portName_;
    std::optional<UsbAdapter> adapter_;
    AdviceSystem system_;
};

AdviceSystem systemNamed(const std::string& system) {
    if (system == "linux") {
        return AdviceSystem::Linux;
    }
    return system == "windows" ? AdviceSystem::Windows : AdviceSystem::Other;
}

} // namespace

std::string sendFromPage(TransferPanel& panel, const std::string& portName, int usbVendorId,
                         const std::string& system) {
    WebSerialPort port(portName);
    std::optional<UsbAdapter> adapter;
    if (usbVendorId >= 0) {
        adapter = UsbAdapter{static_cast<std::uint16_t>(usbVendorId), 0, {}};
    }
    PageObserver observer(panel, portName, adapter, systemNamed(system));
    const SendResult result = panel.send(port, observer);
    return sendJson(result, panel.load(), portName);
}

} // namespace lumivel
