#pragma once
#include "app/arguments.hpp"
#include "app/command.hpp"
#include "app/offscreen_sign.hpp"
#include "display/scripted_dialogs.hpp"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

namespace lumivel::cli {

// A failure of a message-file command: printed on stderr, exit code 2.
struct StoreFailure {
    std::string message;
};

// The program's state as the window starts it, with one message file open, so the
// message-file commands run exactly the window's list operations. Message boxes the
// operations show are failures of the command.
class StoreSession {
  public:
    enum class Open { ReadOnly, Existing, CreateMissing };

    // Throws StoreFailure when the file cannot be opened or is not a message file.
    StoreSession(const std::string& path, Open mode);
    StoreSession(const StoreSession&) = delete;
    StoreSession& operator=(const StoreSession&) = delete;

    Lumivel& estado() { return sign_.estado(); }
    ScriptedDialogs& dialogs() { return dialogs_; }

    // The text mode with a font (Opletra index), an effect (op_mostrar index) and a UTF-8 text.
    void editarTexto(int fontIndex, int effectIndex, const std::string& utf8);
    // The drawing mode with the picture's 64 columns on the sign.
    void editarImagen(const std::array<std::uint8_t, 64>& columnas);
    // Selects message number `numero` in the list; throws when there is none.
    void seleccionar(const std::string& numero);
    // Throws the first message box an operation showed, if any.
    void comprobar();
    // Removes the file when this session created it (after a failed first add).
    void descartarSiCreado();

  private:
    OffscreenSign sign_;
    ScriptedDialogs dialogs_;
    std::string path_;
    bool creado_ = false;
};

// --effect caminando|porfila|porcolumna as the op_mostrar index (0..2); default caminando.
int effectIndex(const Arguments& args);
// 128 hexadecimal digits (either case) as 64 column bytes; throws UsageError otherwise.
std::array<std::uint8_t, 64> pictureColumns(const std::string& hex);

// A message number N as typed; throws UsageError unless it is a whole number.
std::string messageNumber(const std::string& text);

// Runs a message-file command body, turning StoreFailure into stderr and exit code 2.
template <class Body> int runStoreCommand(Streams streams, Body body) {
    try {
        return body();
    } catch (const StoreFailure& failure) {
        streams.err << "simlumivel: " << failure.message << '\n';
        return kExitError;
    }
}

} // namespace lumivel::cli
