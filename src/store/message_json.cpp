#include "store/message_json.hpp"

#include "base/windows1252.hpp"

#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <type_traits>
#include <variant>

namespace lumivel {
namespace {

using Value = std::variant<std::string, long long>;
using Object = std::map<std::string, Value>;

// A strict reader for an array of flat objects whose values are strings or integers:
// all that the message listing holds.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    Result<std::vector<Object>> array() {
        std::vector<Object> objects;
        space();
        if (!take('[')) {
            return fail("se esperaba una lista \"[\"");
        }
        space();
        if (!take(']')) {
            do {
                space();
                Object object;
                if (std::optional<Error> bad = readObject(object)) {
                    return *bad;
                }
                objects.push_back(std::move(object));
                space();
            } while (take(','));
            if (!take(']')) {
                return fail("se esperaba \",\" o \"]\"");
            }
        }
        space();
        if (at_ != text_.size()) {
            return fail("sobra texto después de la lista");
        }
        return objects;
    }

  private:
    std::optional<Error> readObject(Object& object) {
        if (!take('{')) {
            return fail("se esperaba un objeto \"{\"");
        }
        space();
        if (take('}')) {
            return std::nullopt;
        }
        do {
            space();
            std::string key;
            const std::size_t keyAt = at_;
            if (std::optional<Error> bad = readString(key)) {
                return bad;
            }
            space();
            if (!take(':')) {
                return fail("se esperaba \":\"");
            }
            space();
            Value value;
            if (peek() == '"') {
                std::string s;
                if (std::optional<Error> bad = readString(s)) {
                    return bad;
                }
                value = std::move(s);
            } else if (std::optional<Error> bad = readInteger(value)) {
                return bad;
            }
            if (!object.emplace(key, std::move(value)).second) {
                return fail("la clave \"" + key + "\" está repetida", keyAt);
            }
            space();
        } while (take(','));
        if (!take('}')) {
            return fail("se esperaba \",\" o \"}\"");
        }
        return std::nullopt;
    }

    std::optional<Error> readInteger(Value& value) {
        const std::size_t start = at_;
        take('-');
        const std::size_t digits = at_;
        while (std::isdigit(static_cast<unsigned char>(peek())) != 0) {
            ++at_;
        }
        // Enough digits for any value a record holds; longer ones are out of range anyway.
        if (at_ == digits || at_ - digits > 12) {
            return fail("se esperaba un texto entre comillas o un número entero");
        }
        value = std::stoll(std::string(text_.substr(start, at_ - start)));
        return std::nullopt;
    }

    std::optional<Error> readString(std::string& out) {
        if (!take('"')) {
            return fail("se esperaba un texto entre comillas");
        }
        while (at_ < text_.size() && text_[at_] != '"') {
            const char c = text_[at_++];
            if (static_cast<unsigned char>(c) < 0x20) {
                return fail("carácter de control sin escapar en un texto");
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) {
                break;
            }
            const char e = text_[at_++];
            static const std::string_view kSimple = "\"\\/bfnrt";
            static const std::string_view kMeaning = "\"\\/\b\f\n\r\t";
            if (const std::size_t k = kSimple.find(e); k != std::string_view::npos) {
                out += kMeaning[k];
            } else if (e == 'u') {
                char32_t code = 0;
                if (!hex4(code)) {
                    return fail("escape \\u no válido");
                }
                if (code >= 0xD800 && code < 0xDC00) {
                    char32_t low = 0;
                    if (!take('\\') || !take('u') || !hex4(low) || low < 0xDC00 || low > 0xDFFF) {
                        return fail("par sustituto \\u incompleto");
                    }
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                } else if (code >= 0xDC00 && code <= 0xDFFF) {
                    return fail("par sustituto \\u incompleto");
                }
                appendUtf8(out, code);
            } else {
                return fail("escape no válido en un texto");
            }
        }
        if (!take('"')) {
            return fail("texto sin cerrar");
        }
        return std::nullopt;
    }

    bool hex4(char32_t& code) {
        if (text_.size() - at_ < 4) {
            return false;
        }
        for (int k = 0; k < 4; ++k) {
            const auto c = static_cast<unsigned char>(text_[at_++]);
            if (std::isxdigit(c) == 0) {
                return false;
            }
            code = code * 16 + static_cast<char32_t>(
                                   std::isdigit(c) != 0 ? c - '0' : std::tolower(c) - 'a' + 10);
        }
        return true;
    }

    static void appendUtf8(std::string& out, char32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    bool take(char c) {
        if (peek() != c || at_ >= text_.size()) {
            return false;
        }
        ++at_;
        return true;
    }
    void space() {
        while (at_ < text_.size() &&
               std::string_view(" \t\r\n").find(text_[at_]) != std::string_view::npos) {
            ++at_;
        }
    }
    Error fail(const std::string& why) const { return fail(why, at_); }
    static Error fail(const std::string& why, std::size_t at) {
        return Error{"JSON no válido en el byte " + std::to_string(at + 1) + ": " + why};
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

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

} // namespace

Result<std::vector<tipomensaje>> readMessageList(std::string_view json) {
    Result<std::vector<Object>> objects = Reader(json).array();
    if (!objects.ok()) {
        return objects.error();
    }
    std::vector<tipomensaje> mensajes;
    for (std::size_t i = 0; i < objects.value().size(); ++i) {
        const Entry entry(objects.value()[i], i);
        for (std::optional<Error> bad :
             {entry.unknownKey(), entry.optionalType("estado", true),
              entry.optionalType("position", false), entry.optionalType("numero", false)}) {
            if (bad) {
                return *bad;
            }
        }
        if (entry.skipped()) {
            continue;
        }
        Result<tipomensaje> m = readEntry(entry);
        if (!m.ok()) {
            return m.error();
        }
        mensajes.push_back(std::move(m.value()));
    }
    return mensajes;
}

} // namespace lumivel
