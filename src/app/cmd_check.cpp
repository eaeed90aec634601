// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_check.hpp"

#include "app/arguments.hpp"
#include "app/text_argument.hpp"
#include "app/transmission_cli.hpp"
#include "base/json.hpp"
#include "base/windows1252.hpp"
#include "display/missing_glyphs.hpp"
#include "session/message_problems.hpp"
#include "session/message_sequence.hpp"
#include "transmission/image_usage.hpp"

#include <ostream>

namespace lumivel::cli {
namespace {

std::string problemLines(const tipomensaje& m, const MessageProblems& p) {
    const std::string mensaje = "Mensaje " + std::to_string(m.numero) + ": ";
    std::string lines;
    if (!p.missing.empty()) {
        lines += mensaje +
                 printable(windows1252ToUtf8(missingGlyphsPhrase(m.letra - 1, p.missing))) + '\n';
    }
    if (p.columns > 0) {
        lines += mensaje + cutPhrase(p.columns, printable(windows1252ToUtf8(p.hidden))) + '\n';
    }
    if (p.length > 0) {
        lines += mensaje + "el texto tiene " + std::to_string(p.length) +
                 " caracteres; un mensaje guarda " + std::to_string(tipomensaje::kTextLength) +
                 '\n';
    }
    if (p.unlit) {
        lines += mensaje + "la imagen no enciende ningún LED; el Lumivel no mostrará nada\n";
    }
    return lines;
}

std::string problemsJson(const MessageProblems& p) {
    std::string items;
    auto add = [&items](const std::string& item) {
        items += (items.empty() ? "{" : ", {") + item + "}";
    };
    if (!p.missing.empty()) {
        add("\"kind\": \"glyph\", \"chars\": " + jsonString(windows1252ToUtf8(p.missing)));
    }
    if (p.columns > 0) {
        add("\"kind\": \"cut\", \"columns\": " + std::to_string(p.columns) +
            ", \"hidden\": " + jsonString(windows1252ToUtf8(p.hidden)));
    }
    if (p.length > 0) {
        add("\"kind\": \"length\", \"chars\": " + std::to_string(p.length));
    }
    if (p.unlit) {
        add("\"kind\": \"unlit\"");
    }
    return "[" + items + "]";
}

} // namespace

Result<int> checkCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"json", false}});
    if (args.positional.size() != 1) {
        throw UsageError{"check necesita un ARCHIVO de mensajes"};
    }
    FileImage fileImage;
    LUMIVEL_TRY_VOID(prepareImage(args.positional.front(), fileImage));
    if (fileImage.load.error) {
        return *fileImage.load.error;
    }
    LUMIVEL_TRY(const std::vector<tipomensaje> activeRecords,
                activeMessages(fileImage.lumivel->archivo));
    // The figure the transmission window shows as used, against the one it shows as free.
    const int bytes = fileImage.load.bytesNeeded - 1;
    const int capacity = TransmissionImage::kLastIndex;
    bool wrong = bytes > capacity;
    std::string plain;
    std::string json;
    int position = 0;
    for (const tipomensaje& m : activeRecords) {
        ++position;
        const MessageProblems p = messageProblems(m);
        wrong = wrong || p.any();
        plain += problemLines(m, p);
        json += (json.empty() ? "\n  " : ",\n  ") + std::string("{\"position\": ") +
                std::to_string(position) + ", \"numero\": " + std::to_string(m.numero) +
                ", \"problems\": " + problemsJson(p) + "}";
    }
    if (args.has("json")) {
        streams.out << "{\"image_bytes\": " << bytes << ", \"capacity\": " << capacity
                    << ", \"messages\": [" << json << (json.empty() ? "" : "\n") << "]}\n";
    } else {
        streams.out << plain << "Imagen: " << imageUsage(fileImage.load.bytesNeeded)
                    << (bytes > capacity ? ": no cabe en el Lumivel" : "") << '\n';
    }
    return wrong ? kExitMismatch : kExitOk;
}

} // namespace lumivel::cli
