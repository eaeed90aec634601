#include "store/message_json.hpp"

#include "base/windows1252.hpp"

#include <cctype>
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

// Only the shapes a message listing holds: an array of flat objects whose values are texts
// or whole numbers. The library keeps the last of two equal keys, so the parse callback
// refuses them first: a repeated field would otherwise pass unseen.
Result<std::vector<Object>> readObjects(std::string_view text) {
    std::vector<std::set<std::string>> keysOfOpenObjects;
    std::string repeated;
    const auto refuseRepeatedKeys = [&](int, nlohmann::json::parse_event_t event,
                                        nlohmann::json& parsed) {
        using Event = nlohmann::json::parse_event_t;
        if (event == Event::object_start) {
            keysOfOpenObjects.emplace_back();
        } else if (event == Event::object_end) {
            keysOfOpenObjects.pop_back();
        } else if (event == Event::key && repeated.empty() &&
                   !keysOfOpenObjects.back().insert(parsed.get<std::string>()).second) {
            repeated = parsed.get<std::string>();
        }
        return true;
    };
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(text, refuseRepeatedKeys);
    } catch (const nlohmann::json::parse_error& e) {
        return invalidJson("error de sintaxis en el byte " + std::to_string(e.byte));
    }
    if (!repeated.empty()) {
        return invalidJson("la clave \"" + repeated + "\" está repetida");
    }
    if (!document.is_array()) {
        return invalidJson("se esperaba una lista \"[...]\"");
    }
    std::vector<Object> objects;
    for (std::size_t i = 0; i < document.size(); ++i) {
        const nlohmann::json& entry = document[i];
        if (!entry.is_object()) {
            return invalidJson("la entrada " + std::to_string(i + 1) + " no es un objeto");
        }
        Object object;
        for (const auto& [key, value] : entry.items()) {
            if (value.is_string()) {
                object.emplace(key, value.get<std::string>());
            } else if (value.is_number_integer()) {
                object.emplace(key, value.get<long long>());
            } else {
                return Error{"entrada " + std::to_string(i + 1) + ", campo \"" + key +
                             "\": debe ser un texto entre comillas o un número entero"};
            }
        }
        objects.push_back(std::move(object));
    }
    return objects;
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

} // namespace

Result<std::vector<tipomensaje>> readMessageList(std::string_view json) {
    Result<std::vector<Object>> objects = readObjects(json);
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
