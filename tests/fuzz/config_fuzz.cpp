// Fuzz entry: any bytes as the language, speed and level files must read without crash or hang.
#include "text_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // A file holds at most as many items or lines as it has characters, plus one; more means a
    // reader that does not advance.
    const qsizetype most = decodeText(bytes).size() + 1;
    qsizetype count = 0;
    ItemFile texts = ItemFile::fromBytes(bytes);
    while (const auto item = texts.readText()) {
        leadingNumber(*item);
        if (++count > most) __builtin_trap();
    }
    count = 0;
    ItemFile variants = ItemFile::fromBytes(bytes);
    while (const auto item = variants.readVariant()) {
        leadingNumber(*item);
        if (++count > most) __builtin_trap();
    }
    count = 0;
    LineFile lines = LineFile::fromBytes(bytes);
    while (lines.readLine())
        if (++count > most) __builtin_trap();
    leadingNumber(decodeText(bytes));
    return 0;
}
