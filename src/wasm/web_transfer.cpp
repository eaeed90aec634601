#include "wasm/web_transfer.hpp"

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

EM_JS(int, transferStopRequested, (), {
    return Module.lumivelHooks.transfer.stopRequested() ? 1 : 0;
});
// clang-format on

namespace lumivel {
namespace {

class PageObserver : public TransferObserver {
  public:
    void connected() override { transferConnected(); }
    void setMaximum(int totaldatos) override { transferMaximum(totaldatos); }
    void progress(int i) override { transferProgress(i); }
    void dataError() override { transferDataError(boxJson(dataErrorBox()).c_str()); }
    bool shouldStop() override { return transferStopRequested() != 0; }
};

} // namespace

std::string sendFromPage(TransferPanel& panel, const std::string& portName) {
    WebSerialPort port(portName);
    PageObserver observer;
    const SendResult result = panel.send(port, observer);
    return sendJson(result, panel.load(), portName);
}

} // namespace lumivel
