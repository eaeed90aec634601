// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/message_json.hpp"

#include "base/windows1252.hpp"
#include "store/message_file.hpp"

#include <cctype>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <type_traits>
#include <variant>

namespace lumivel {
namespace {

using Value = std::variant<std::string, long long>;
using Object = std::map<std::string, Value>;

Error invalidJson(const std::string& why) {
    return Error{"JSON no válido: " + why};
}

// One entry's fields checked into a record; the reason names the entry and the field.
class Entry {
  public:
    Entry(const Object& object, std::size_t index) : object_(object), index_(index) {}

    std::optional<Error> unknownKey() const {
        static const std::set<std::string> kKnown = {"presentacion", "letra",  "kind",  "texto",
                                                     "position",     "numero", "estado"};
        for (const auto& [key, value] : object_) {
            if (kKnown.count(key) == 0) {
                return fail(key, "no es un campo de mensaje");
            }
        }
        return std::nullopt;
    }

    // An entry whose estado is there and is not "1" is not an active message.
    bool skipped() const {
        const auto it = object_.find("estado");
        return it != object_.end() && it->second != Value{std::string("1")};
    }

    template <class T> std::optional<Error> get(const std::string& key, T& out) const {
        const auto it = object_.find(key);
        if (it == object_.end()) {
            return fail(key, "falta");
        }
        if (const T* value = std::get_if<T>(&it->second)) {
            out = *value;
            return std::nullopt;
        }
        return fail(key, std::is_same_v<T, std::string> ? "debe ser un texto entre comillas"
                                                        : "debe ser un número entero");
    }

    std::optional<Error> optionalType(const std::string& key, bool wantsString) const {
        const auto it = object_.find(key);
        if (it != object_.end() && std::holds_alternative<std::string>(it->second) != wantsString) {
            return fail(key, wantsString ? "debe ser un texto entre comillas"
                                         : "debe ser un número entero");
        }
        return std::nullopt;
    }

    Error fail(const std::string& key, const std::string& why) const {
        return Error{"entrada " + std::to_string(index_ + 1) + ", campo \"" + key + "\": " + why};
    }

  private:
    const Object& object_;
    std::size_t index_;
};

bool isHex(const std::string& s) {
    for (char c : s) {
        if (std::isxdigit(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

Result<tipomensaje> readEntry(const Entry& entry) {
    long long presentacion = 0;
    long long letra = 0;
    std::string kind;
    std::string texto;
    for (std::optional<Error> bad :
         {entry.get("kind", kind), entry.get("presentacion", presentacion),
          entry.get("letra", letra), entry.get("texto", texto)}) {
        if (bad) {
            return *bad;
        }
    }
    tipomensaje m;
    if (kind == "picture") {
        if (presentacion != tipomensaje::kPicture) {
            return entry.fail("presentacion", "una imagen lleva 255");
        }
        if (letra != tipomensaje::kPicture) {
            return entry.fail("letra", "una imagen lleva 255");
        }
        if (texto.size() != 128 || !isHex(texto)) {
            return entry.fail("texto", "una imagen son 128 cifras hexadecimales");
        }
        // Kept as written (either case), so a listed file reads back byte for byte.
        m.texto = recordText(texto);
    } else if (kind == "text") {
        if (presentacion < 1 || presentacion > 3) {
            return entry.fail("presentacion", "debe ser 1, 2 o 3");
        }
        if (letra < 1 || letra > 4) {
            return entry.fail("letra", "debe ser de 1 a 4");
        }
        const std::string bytes = utf8ToWindows1252(texto);
        if (windows1252ToUtf8(bytes) != texto) {
            return entry.fail("texto", "tiene caracteres que el letrero no puede mostrar");
        }
        if (bytes.size() > tipomensaje::kTextLength) {
            return entry.fail("texto", "pasa de " + std::to_string(tipomensaje::kTextLength) +
                                           " caracteres");
        }
        m.texto = recordText(bytes);
    } else {
        return entry.fail("kind", "debe ser \"text\" o \"picture\"");
    }
    m.presentacion = static_cast<std::int16_t>(presentacion);
    m.letra = static_cast<std::int16_t>(letra);
    m.estado = '1';
    return m;
}

// Checks each entry in one entry when its object closes, so a listing costs time and memory
// in proportion to what it holds, and one that can never fit a message file stops being read
// as soon as that is clear. Only the shapes a listing holds pass: an array of flat objects
// whose values are texts or whole numbers, no key twice in one object.
class ListingReader : public nlohmann::json_sax<nlohmann::json> {
  public:
    Result<std::vector<tipomensaje>> result() {
        if (error_) {
            return *error_;
        }
        return std::move(messages_);
    }

    bool null() override { return notAValue(); }
    bool boolean(bool) override { return notAValue(); }
    bool number_float(double, const std::string&) override { return notAValue(); }
    bool binary(binary_t&) override { return notAValue(); }
    bool number_integer(number_integer_t value) override { return field(value); }
    bool number_unsigned(number_unsigned_t value) override {
        if (value > static_cast<number_unsigned_t>(std::numeric_limits<long long>::max())) {
            return fieldFails("el número está fuera de rango");
        }
        return field(static_cast<long long>(value));
    }
    bool string(string_t& value) override { return field(std::move(value)); }

    bool start_array(std::size_t) override {
        if (depth_ == 0) {
            depth_ = 1;
            return true;
        }
        return notAValue();
    }
    bool end_array() override {
        depth_ = 0;
        return true;
    }
    bool start_object(std::size_t) override {
        if (depth_ != 1) {
            return notAValue();
        }
        depth_ = 2;
        ++entries_;
        object_.clear();
        key_.clear();
        return true;
    }
    bool key(string_t& name) override {
        if (object_.count(name) != 0) {
            return fail(invalidJson("la clave \"" + name + "\" está repetida"));
        }
        key_ = name;
        return true;
    }
    bool end_object() override {
        depth_ = 1;
        const Entry entry(object_, entries_ - 1);
        for (std::optional<Error> bad :
             {entry.unknownKey(), entry.optionalType("estado", true),
              entry.optionalType("position", false), entry.optionalType("numero", false)}) {
            if (bad) {
                return fail(*bad);
            }
        }
        if (entry.skipped()) {
            return true;
        }
        if (messages_.size() == static_cast<std::size_t>(MessageFile::kMaxRecords)) {
            return fail(Error{"no caben más mensajes: un archivo guarda como máximo " +
                              std::to_string(MessageFile::kMaxRecords) + " y la entrada " +
                              std::to_string(entries_) + " pasa de ahí"});
        }
        Result<tipomensaje> m = readEntry(entry);
        if (!m.ok()) {
            return fail(m.error());
        }
        messages_.push_back(std::move(m.value()));
        return true;
    }

    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& problem) override {
        // 406: a number past the range of a double, such as 1e309.
        if (problem.id == 406) {
            return depth_ == 2 ? fieldFails("el número está fuera de rango")
                               : fail(invalidJson("número fuera de rango en el byte " +
                                                  std::to_string(position)));
        }
        std::string where = "error de sintaxis en el byte " + std::to_string(position);
        if (depth_ == 2) {
            where += " (entrada " + std::to_string(entries_) + ")";
        }
        return fail(invalidJson(where));
    }

  private:
    bool field(Value value) {
        if (depth_ != 2) {
            return notAValue();
        }
        object_.emplace(key_, std::move(value));
        return true;
    }
    // A value that no listing holds where it stands.
    bool notAValue() {
        if (depth_ == 0) {
            return fail(invalidJson("se esperaba una lista \"[...]\""));
        }
        if (depth_ == 1) {
            return fail(
                invalidJson("la entrada " + std::to_string(entries_ + 1) + " no es un objeto"));
        }
        return fieldFails("debe ser un texto entre comillas o un número entero");
    }
    bool fieldFails(const std::string& why) {
        return fail(
            Error{"entrada " + std::to_string(entries_) + ", campo \"" + key_ + "\": " + why});
    }
    bool fail(Error error) {
        if (!error_) {
            error_ = std::move(error);
        }
        return false;
    }

    int depth_ = 0; // 0 outside the listing, 1 in its array, 2 in an entry
    std::size_t entries_ = 0;
    Object object_;
    std::string key_;
    std::vector<tipomensaje> messages_;
    std::optional<Error> error_;
};

} // namespace

Result<std::vector<tipomensaje>> readMessageList(std::string_view json) {
    // The lexer takes a NUL byte for the end of the text, and would hide whatever follows.
    if (const std::size_t nul = json.find('\0'); nul != std::string_view::npos) {
        return invalidJson("byte nulo en el byte " + std::to_string(nul + 1));
    }
    ListingReader reader;
    nlohmann::json::sax_parse(json, &reader, nlohmann::json::input_format_t::json, true);
    return reader.result();
}

} // namespace lumivel
