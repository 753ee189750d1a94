// The teacher's voice switch: the words it knows, and on for anything else.
#include "test_support.h"
#include "voice_switch.h"

#include <gtest/gtest.h>

namespace {

TEST(VoiceSwitch, readsTheTeachersWordAndIsOnOtherwise) {
    TempFiles folder;
    struct Row {
        QByteArray content;
        Speaking speaking;
    };
    const Row rows[] = {
        {"no", Speaking::Off},
        {"NO\r\n", Speaking::Off},
        {"\"off\"", Speaking::Off},
        {"grabaciones", Speaking::RecordingsOnly},
        {"Recordings", Speaking::RecordingsOnly},
        {"s\xc3\xad", Speaking::On},     // "sí"
        {"GRABACI\xc3\x93NES", Speaking::RecordingsOnly},
        {"", Speaking::On},
        {"tal vez", Speaking::On},
        {QByteArray(100000, 'n'), Speaking::On},
    };
    for (const Row& row : rows)
        EXPECT_EQ(readSpeaking(folder.write(QStringLiteral("voz.txt"), row.content)), row.speaking)
            << row.content.left(20).toStdString();
    EXPECT_EQ(readSpeaking(folder.path(QStringLiteral("falta.txt"))), Speaking::On);
}

TEST(VoiceSwitch, secondItemAsksForLowerCaseLetters) {
    TempFiles folder;
    const std::pair<QByteArray, bool> rows[] = {
        {"si, min\xc3\xbasculas", true}, {"no\r\nLOWERCASE", true}, {"minusculas", false},
        {"si, mayusculas", false},       {"si,", false},            {"", false},
    };
    for (const auto& [content, lower] : rows)
        EXPECT_EQ(readLowerCase(folder.write(QStringLiteral("voz.txt"), content)), lower)
            << content.toStdString();
    EXPECT_FALSE(readLowerCase(folder.path(QStringLiteral("falta.txt"))));
}

} // namespace
