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
        bool understood = true; // the folder check tells a teacher of a word the game took for on
    };
    const Row rows[] = {
        {"no", Speaking::Off},
        {"NO\r\n", Speaking::Off},
        {"\"off\"", Speaking::Off},
        {"grabaciones", Speaking::RecordingsOnly},
        {"Recordings", Speaking::RecordingsOnly},
        {"s\xc3\xad", Speaking::On}, // "sí"
        {"GRABACI\xc3\x93NES", Speaking::RecordingsOnly},
        {"", Speaking::On},
        {"tal vez", Speaking::On, false},
        {QByteArray(100000, 'n'), Speaking::On, false},
    };
    for (const Row& row : rows) {
        const QString path = folder.write(QStringLiteral("voz.txt"), row.content);
        EXPECT_EQ(readSpeaking(path), row.speaking) << row.content.left(20).toStdString();
        EXPECT_EQ(readVoiceSwitch(path).speakingUnderstood, row.understood)
            << row.content.left(20).toStdString();
    }
    EXPECT_EQ(readSpeaking(folder.path(QStringLiteral("falta.txt"))), Speaking::On);
}

TEST(VoiceSwitch, secondItemAsksForLowerCaseLetters) {
    TempFiles folder;
    const std::pair<QByteArray, bool> rows[] = {
        {"si, min\xc3\xbasculas", true},
        {"no\r\nLOWERCASE", true},
        {"minusculas", false},
        {"si, mayusculas", false},
        {"si,", false},
        {"", false},
    };
    for (const auto& [content, lower] : rows)
        EXPECT_EQ(readLowerCase(folder.write(QStringLiteral("voz.txt"), content)), lower)
            << content.toStdString();
    EXPECT_FALSE(
        readVoiceSwitch(folder.write(QStringLiteral("voz.txt"), "si,grandes")).lettersUnderstood);
    EXPECT_FALSE(readLowerCase(folder.path(QStringLiteral("falta.txt"))));
}

} // namespace
