// SPDX-License-Identifier: GPL-3.0-or-later
#include "targets.hpp"

#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "display/scripted_dialogs.hpp"
#include "display/shown_sign.hpp"
#include "drawing/picture_edit.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "session/file_choice.hpp"
#include "session/message_list.hpp"
#include "session/startup.hpp"
#include "transmission/sign_decoder.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace lumivel::fuzz {
namespace {

namespace fs = std::filesystem;
constexpr std::uintmax_t kRecord = tipomensaje::kRecordLength;

[[noreturn]] void broken(const std::string& what) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

void check(bool ok, const std::string& what) {
    if (!ok) {
        broken(what);
    }
}

// Reads the input front to back; past the end every read yields zeros, so any input
// is a complete script.
class Reader {
  public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string bytes(std::size_t n) {
        n = std::min(n, size_ - std::min(pos_, size_));
        if (n == 0) {
            return {};
        }
        std::string out(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return out;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<tipomensaje> recordsOf(const std::string& bytes) {
    std::vector<tipomensaje> out;
    for (std::size_t at = 0; at + kRecord <= bytes.size(); at += kRecord) {
        RecordBytes b{};
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kRecord, b.begin());
        out.push_back(decodeRecord(b));
    }
    return out;
}

// One scratch path per process: libFuzzer runs inputs one after another in one process.
fs::path scratchPath() {
    return fs::temp_directory_path() /
           ("lumivel-fuzz-" + std::to_string(static_cast<long>(::getpid())) + ".men");
}

struct Session {
    fs::path path;
    std::string original;
    ShownSign shown;
    Lumivel l;
    ScriptedDialogs d;

    // The file may grow by whole records after its last whole record, or have bytes
    // rewritten inside whole records; it never shrinks, and a torn tail is only ever
    // replaced by a whole record.
    void checkFile(const char* after) {
        const std::string now = readAll(path);
        const std::string where = std::string(" after ") + after;
        const std::size_t whole = original.size() / kRecord * kRecord;
        check(now.size() >= original.size(), "file shrank" + where);
        if (now.size() != original.size()) {
            check((now.size() - whole) % kRecord == 0, "file grew by a partial record" + where);
        } else {
            check(now.compare(whole, std::string::npos, original, whole, std::string::npos) == 0,
                  "torn tail rewritten" + where);
        }

        // The list shows the active records' numbers in file order.
        std::vector<std::string> expected;
        for (const tipomensaje& m : recordsOf(now)) {
            if (m.isActive()) {
                expected.push_back(std::to_string(m.numero));
            }
        }
        check(l.lstcodigo == expected, "list differs from the file's active records" + where);
        const auto total =
            static_cast<int>(std::min<std::size_t>(expected.size(), MessageFile::kMaxRecords));
        check(l.totalmensajes == total, "message count differs from the list" + where);
        for (const MessageBoxSpec& box : d.shownBoxes) {
            check(box.title != "Error de archivo", "file error: " + box.texto + where);
        }
    }

    void checkNumbered(const char* after) {
        int n = 0;
        for (const tipomensaje& m : recordsOf(readAll(path))) {
            if (m.isActive()) {
                ++n;
                check(m.numero == std::min(n, int{std::numeric_limits<std::int16_t>::max()}),
                      std::string("active records not renumbered after ") + after);
            }
        }
    }

    // An added message is the new last record, numbered after the list, holding what the
    // editor showed.
    void checkAdded(std::int16_t numero, const std::string& texto, int presentacion) {
        const auto records = recordsOf(readAll(path));
        check(!records.empty(), "nothing added");
        const tipomensaje& last = records.back();
        check(last.isActive() && last.numero == numero, "added record not numbered last");
        check(last.texto == texto, "added record holds another text");
        check(last.presentacion == presentacion, "added record of another presentation");
    }

    // Any index, including none (-1) and one past the list.
    void select(Reader& in) {
        const int span = static_cast<int>(l.lstcodigo.size()) + 2;
        l.lstcodigoIndex = in.byte() % span - 1;
    }
};

} // namespace

void runMessageFile(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    const std::size_t length = in.byte() | (std::size_t{in.byte()} << 8);
    auto s = std::make_unique<Session>();
    s->path = scratchPath();
    s->original = in.bytes(length);
    {
        std::ofstream out(s->path, std::ios::binary | std::ios::trunc);
        out.write(s->original.data(), static_cast<std::streamsize>(s->original.size()));
    }
    Lumivel& l = s->l;
    l.sign.setSurface(&s->shown);
    startUp(l, "/programa");

    // Reading alone: every record, then the list.
    {
        MessageFile file;
        check(file.open(s->path.string(), MessageFile::Access::ReadOnly).ok(), "cannot open");
        check(static_cast<std::size_t>(file.count()) == s->original.size() / kRecord,
              "count is not the number of whole records");
        for (int n = 1; n <= file.count(); ++n) {
            tipomensaje m;
            check(file.read(n, m).ok(), "a whole record cannot be read");
            check(m.texto.size() == tipomensaje::kTextLength, "text of the wrong length");
        }
        tipomensaje m;
        check(!file.read(file.count() + 1, m).ok(), "read past the end succeeded");
        check(!file.write(1, m).ok(), "write to a read-only file succeeded");
    }
    check(openMessageFile(l, s->path.string()).ok(), "cannot open the message file");
    s->checkFile("opening");

    int steps = 0;
    while (!in.done() && steps++ < 64) {
        const std::uint8_t op = in.byte();
        const char* name = "";
        switch (op % 8) {
        case 0: {
            name = "adding a text";
            selectOption1(l, kTextMode);
            selectOpMostrar(l, in.byte() % 3);
            selectOpletra(l, in.byte() % 4);
            changeText(l, in.bytes(in.byte() % 140));
            const auto numero = static_cast<std::int16_t>(l.totalmensajes + 1);
            ADICIONAR_Click(l, s->d);
            s->checkAdded(numero, recordText(l.texto), l.tipopresentacion);
            break;
        }
        case 1: {
            name = "adding a picture";
            selectOption1(l, kDrawingMode);
            Picture picture{};
            for (std::uint8_t& column : picture) {
                column = in.byte();
            }
            showPicture(l.sign, picture);
            const auto numero = static_cast<std::int16_t>(l.totalmensajes + 1);
            ADICIONAR_Click(l, s->d);
            s->checkAdded(numero, encodePicture(l.sign.vector), tipomensaje::kPicture);
            break;
        }
        case 2:
            name = "modifying";
            s->select(in);
            MODIFICAR_Click(l, s->d);
            break;
        case 3: {
            name = "deleting";
            s->select(in);
            const bool selected = !selectedEntry(l).empty();
            ELIMINAR_Click(l, s->d);
            s->checkFile(name);
            if (selected) {
                s->checkNumbered(name);
            }
            break;
        }
        case 4: {
            name = "recalling";
            const int span = static_cast<int>(l.lstcodigo.size()) + 2;
            Lstcodigo_Click(l, s->d, in.byte() % span - 1);
            break;
        }
        case 5:
            name = "reopening";
            l.archivo.close();
            check(openMessageFile(l, s->path.string()).ok(), "cannot reopen");
            break;
        case 6:
            name = "switching mode";
            selectOption1(l, in.byte() % 2 == 0 ? kDrawingMode : kTextMode);
            break;
        default:
            name = "typing";
            changeText(l, in.bytes(in.byte() % 140));
            break;
        }
        s->checkFile(name);
    }
    l.archivo.close();
    std::error_code ignored;
    fs::remove(s->path, ignored);
}

void runSignDecoder(const std::uint8_t* data, std::size_t size) {
    std::size_t start = 0;
    SignFault fault;
    if (size > 0 && data[0] == '!') {
        const auto* end = std::find(data + 1, data + size, std::uint8_t{'\n'});
        const std::string texto(data + 1, end);
        if (auto parsed = parseFault(texto)) {
            fault = *parsed;
        }
        start = static_cast<std::size_t>(end - data) + (end == data + size ? 0 : 1);
    }
    SignResponder responder(fault);
    for (std::size_t i = start; i < size; ++i) {
        const std::uint8_t byte = data[i];
        const auto reply = responder.responder(byte);
        check(reply.bytes.size() <= 1, "more than one byte answered");
        switch (reply.event) {
        case SignDecoder::Event::Request:
            check(byte == 'c', "a connection request that was not 'c'");
            break;
        case SignDecoder::Event::Error:
            check(!responder.decoder().lastError().empty(), "an error without a reason");
            check(responder.decoder().idle(), "an error that did not end the transfer");
            break;
        case SignDecoder::Event::ImageComplete:
            for (const DecodedMessage& m : responder.decoder().takeImage()) {
                const std::string json = toJson(m);
                check(json.size() >= 2 && json.front() == '{' && json.back() == '}',
                      "malformed JSON line");
                check(json.find('\n') == std::string::npos, "JSON line with a line break");
                check(m.presentacion >= 1 && m.presentacion <= 255, "presentation out of range");
            }
            break;
        case SignDecoder::Event::None:
            break;
        }
    }
    responder.decoder().reset();
    check(responder.decoder().idle(), "not idle after a reset");
}

} // namespace lumivel::fuzz
