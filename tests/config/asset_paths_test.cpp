// Tests of the asset paths: which language set is active, where each file goes in each layout,
// and the bundled assets that ship beside the program.
#include "asset_paths.h"
#include "test_support.h"
#include "text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

using Files = QList<std::pair<QString, QByteArray>>;

// A program folder holding the folders and files a row names, nothing else.
class ProgramFolder {
  public:
    ProgramFolder(const QStringList& folders, const Files& files) {
        for (const QString& folder : folders)
            QDir(path()).mkpath(folder);
        for (const auto& [name, bytes] : files) {
            QDir(path()).mkpath(QFileInfo(name).path());
            QFile file(path() + u'/' + name);
            if (file.open(QIODevice::WriteOnly)) file.write(bytes);
        }
    }
    QString path() const { return m_dir.path(); }
    QString relative(const QString& absolute) const {
        return absolute == path() ? QString() : QDir(path()).relativeFilePath(absolute);
    }

  private:
    QTemporaryDir m_dir;
};

const QStringList TwoSets = {"idiomas/es/configuracion", "idiomas/en/configuracion"};

struct SetRow {
    const char* what;
    QStringList folders;
    Files files;
    const char* name;   // the active set
    const char* folder; // its folder inside the program folder; "" for the folder itself
    const char* code;
    Language language;
};

class ActiveSet : public ::testing::TestWithParam<SetRow> {};

TEST_P(ActiveSet, isTheChosenSetOrTheFallback) {
    const SetRow& row = GetParam();
    const ProgramFolder folder(row.folders, row.files);
    const assets::LanguageSet set = assets::resolve(folder.path()).set();
    EXPECT_EQ(set.name, QString::fromUtf8(row.name));
    EXPECT_EQ(folder.relative(set.folder), QString::fromUtf8(row.folder));
    EXPECT_EQ(set.dataFolder, set.folder);
    EXPECT_EQ(set.languageCode, QString::fromUtf8(row.code));
    EXPECT_EQ(set.language, row.language);
}

const QByteArray English = "en\n";
const QString Choice = "idiomas/activo.txt";
const QString EnglishCode = "idiomas/en/configuracion/lengua.txt";

INSTANTIATE_TEST_SUITE_P(
    Rows, ActiveSet,
    ::testing::Values(SetRow{"activo.txt names the set in use",
                             TwoSets,
                             {{Choice, English}, {EnglishCode, English}},
                             "en",
                             "idiomas/en",
                             "en",
                             Language::English},
                      SetRow{"blanks and a Windows line end around the name are trimmed",
                             TwoSets,
                             {{Choice, " \ten \r\nes\r\n"}, {EnglishCode, " en-GB \r\n"}},
                             "en",
                             "idiomas/en",
                             "en-GB",
                             Language::English},
                      SetRow{"no activo.txt: Spanish",
                             TwoSets,
                             {{EnglishCode, English}},
                             "es",
                             "idiomas/es",
                             "es",
                             Language::Spanish},
                      SetRow{"an empty activo.txt: Spanish",
                             TwoSets,
                             {{Choice, "\n"}},
                             "es",
                             "idiomas/es",
                             "es",
                             Language::Spanish},
                      SetRow{"a set that is not there: Spanish",
                             TwoSets,
                             {{Choice, "fr"}},
                             "es",
                             "idiomas/es",
                             "es",
                             Language::Spanish},
                      SetRow{"a name that climbs out of idiomas",
                             {"idiomas/es", "en/configuracion"},
                             {{Choice, "../en"}},
                             "es",
                             "idiomas/es",
                             "es",
                             Language::Spanish},
                      SetRow{"a name that climbs back into another set",
                             {"idiomas/es", "idiomas/x", "idiomas/en"},
                             {{Choice, "x/../en"}},
                             "es",
                             "idiomas/es",
                             "es",
                             Language::Spanish},
                      SetRow{"a name with two dots inside",
                             {"idiomas/es", "idiomas/a..b"},
                             {{Choice, "a..b"}},
                             "es",
                             "idiomas/es",
                             "es",
                             Language::Spanish},
                      SetRow{"a hidden set",
                             {"idiomas/es", "idiomas/.en"},
                             {{Choice, ".en"}},
                             "es",
                             "idiomas/es",
                             "es",
                             Language::Spanish},
                      SetRow{"the idiomas folder itself",
                             {"idiomas/es"},
                             {{Choice, "."}},
                             "es",
                             "idiomas/es",
                             "es",
                             Language::Spanish},
                      SetRow{"activo.txt that is a folder",
                             {"idiomas/es", "idiomas/en", "idiomas/activo.txt"},
                             {},
                             "es",
                             "idiomas/es",
                             "es",
                             Language::Spanish},
                      SetRow{"no Spanish set: the first set in name order",
                             {"idiomas/fr", "idiomas/de", "idiomas/.a"},
                             {{Choice, "es"}},
                             "de",
                             "idiomas/de",
                             "es",
                             Language::Spanish},
                      SetRow{"no set at all: Spanish all the same",
                             {},
                             {},
                             "es",
                             "idiomas/es",
                             "es",
                             Language::Spanish},
                      SetRow{"an old folder's configuracion wins over idiomas",
                             {"configuracion", "idiomas/en"},
                             {{Choice, English}},
                             "",
                             "",
                             "es",
                             Language::Spanish},
                      SetRow{"an old folder's imagenes alone wins too",
                             {"imagenes", "idiomas/en"},
                             {{Choice, English}},
                             "",
                             "",
                             "es",
                             Language::Spanish},
                      SetRow{"an old folder says its language",
                             {"imagenes"},
                             {{"configuracion/lengua.txt", "en-US"}},
                             "",
                             "",
                             "en-US",
                             Language::English},
                      SetRow{"the language code's case does not matter",
                             TwoSets,
                             {{Choice, English}, {EnglishCode, "EN_gb"}},
                             "en",
                             "idiomas/en",
                             "EN_gb",
                             Language::English},
                      SetRow{"a set without lengua.txt is Spanish",
                             TwoSets,
                             {{Choice, English}},
                             "en",
                             "idiomas/en",
                             "es",
                             Language::Spanish},
                      SetRow{"a lengua.txt that is no language tag is Spanish",
                             TwoSets,
                             {{Choice, English}, {EnglishCode, "en; rm -rf /"}},
                             "en",
                             "idiomas/en",
                             "es",
                             Language::Spanish},
                      SetRow{"an endless lengua.txt is Spanish",
                             TwoSets,
                             {{Choice, English}, {EnglishCode, QByteArray(100000, 'e')}},
                             "en",
                             "idiomas/en",
                             "es",
                             Language::Spanish}),
    [](const auto& info) {
        QString name = QString::fromUtf8(info.param.what);
        name.replace(QRegularExpression("[^A-Za-z0-9]+"), "_");
        return name.toStdString();
    });

struct PathRow {
    const char16_t* relative;
    const char* sets;   // where it goes with idiomas/en active
    const char* old;    // where it goes in an old one-set folder
    const char* system; // where it goes with the roots etc/, var/ and share/, idiomas/en active
};

// Every kind of file the programs read, in both layouts of a program folder, and in a system
// layout whose three roots are different folders.
class AssetPath : public ::testing::TestWithParam<PathRow> {};

TEST_P(AssetPath, goesToItsRootAndTheActiveSet) {
    const PathRow& row = GetParam();
    const ProgramFolder sets(TwoSets, {{Choice, English}});
    EXPECT_EQ(sets.relative(assets::resolve(sets.path()).file(row.relative)),
              QString::fromUtf8(row.sets));
    const ProgramFolder old({"configuracion", "imagenes", "idiomas/en"}, {{Choice, English}});
    EXPECT_EQ(old.relative(assets::resolve(old.path()).file(row.relative)),
              QString::fromUtf8(row.old));
    const ProgramFolder system({"etc/idiomas/en/configuracion"}, {{"etc/" + Choice, English}});
    const assets::Roots roots{system.path() + "/etc", system.path() + "/var",
                              system.path() + "/share"};
    EXPECT_EQ(system.relative(assets::resolve(roots).file(row.relative)),
              QString::fromUtf8(row.system));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AssetPath,
    ::testing::Values(
        PathRow{assets::LanguageFile, "idiomas/en/configuracion/idioma.txt",
                "configuracion/idioma.txt", "etc/idiomas/en/configuracion/idioma.txt"},
        PathRow{assets::TextsFile, "idiomas/en/configuracion/textos.txt",
                "configuracion/textos.txt", "etc/idiomas/en/configuracion/textos.txt"},
        PathRow{assets::PictureFolder, "idiomas/en/imagenes", "imagenes",
                "var/idiomas/en/imagenes"},
        PathRow{u"\\voces\\sun.wav", "idiomas/en/voces/sun.wav", "voces/sun.wav",
                "var/idiomas/en/voces/sun.wav"},
        PathRow{assets::RunnerGif, "gifs/corre.gif", "gifs/corre.gif", "share/gifs/corre.gif"},
        PathRow{assets::FinalSound, "sonidos/final.wav", "sonidos/final.wav",
                "share/sonidos/final.wav"},
        // Only a whole first folder counts: a look-alike stays in the program folder.
        PathRow{u"\\configuraciones\\x.txt", "configuraciones/x.txt", "configuraciones/x.txt",
                "etc/configuraciones/x.txt"}));

TEST(AssetPaths, theProgramFolderIsJoinedUnchangedWithSlashes) {
    const assets::AssetPaths paths = assets::resolve(QStringLiteral("/opt/tolvano\\2"));
    EXPECT_EQ(paths.file(assets::LanguageFile),
              "/opt/tolvano\\2/idiomas/es/configuracion/idioma.txt");
    EXPECT_EQ(paths.file(assets::SuccessSound), "/opt/tolvano\\2/sonidos/acierto.wav");
    EXPECT_EQ(paths.levelGif(1), "/opt/tolvano\\2/gifs/1.gif");
    EXPECT_EQ(paths.levelGif(6), "/opt/tolvano\\2/gifs/6.gif");
    EXPECT_EQ(paths.picture("cami\u00f3n\\2.png"),
              "/opt/tolvano\\2/idiomas/es/imagenes/cami\u00f3n\\2.png");
}

TEST(AssetPaths, programFolderHoldsTheRunningProgram) {
    const QString folder = assets::programFolder();
    EXPECT_TRUE(QFileInfo(folder).isAbsolute());
    EXPECT_TRUE(QFileInfo::exists(folder + u'/' +
                                  QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
}

// The working folder as the system names it, in bytes.
QByteArray workingFolder() {
    const std::string path = std::filesystem::current_path().native();
    return QByteArray(path.data(), static_cast<qsizetype>(path.size()));
}

// Only a folder Qt cannot name is entered; any other path, and one that cannot be entered, comes
// back as Qt reads it, and the working folder stays where it was.
TEST(AssetPaths, reachableFolderEntersOnlyAFolderQtCannotName) {
    QTemporaryDir dir;
    const QString root = QDir(dir.path()).canonicalPath(); // as the working folder will read
    const QByteArray base = QFile::encodeName(root);
    const QByteArray latin1 = base + "/Juegos\xf1o";
    ASSERT_EQ(::mkdir(latin1.constData(), 0700), 0);
    const struct {
        QByteArray path;
        QString reached;
        QByteArray working; // empty: unchanged
    } cases[] = {
        {base, root, {}},
        {base + "/ni\xc3\xb1o", root + QStringLiteral("/ni\u00f1o"), {}}, // UTF-8, though not there
        {latin1, ".", latin1},
        {base + "/nada\xf1", root + QStringLiteral("/nada\ufffd"), {}},
    };
    const QByteArray start = workingFolder();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(assets::reachableFolder(c.path), c.reached);
        EXPECT_EQ(workingFolder(), c.working.isEmpty() ? start : c.working);
        ASSERT_EQ(::chdir(start.constData()), 0);
    }
    ::rmdir(latin1.constData()); // Qt cannot name it, so the temporary folder could not remove it
}

// The folders of each kind, found once, in the three layouts: a program folder with language sets,
// an old one-set folder, and a system layout whose three roots differ.
TEST(AssetPaths, resolveFindsEachKindOfFolderInEveryLayout) {
    const ProgramFolder sets(TwoSets, {{Choice, English}});
    const ProgramFolder old({"configuracion", "imagenes", "idiomas/en"}, {{Choice, English}});
    const ProgramFolder system({"etc/idiomas/en/configuracion"}, {{"etc/" + Choice, English}});
    const struct {
        const ProgramFolder& folder;
        assets::AssetPaths paths;
        QStringList expected; // texts, pictures, voices, gifs, sounds, activo.txt, lengua.txt
    } rows[] = {
        {sets,
         assets::resolve(sets.path(), {}),
         {"idiomas/en/configuracion", "idiomas/en/imagenes", "idiomas/en/voces", "gifs", "sonidos",
          "idiomas/activo.txt", "idiomas/en/configuracion/lengua.txt"}},
        {old,
         assets::resolve(old.path(), {}),
         {"configuracion", "imagenes", "voces", "gifs", "sonidos", "idiomas/activo.txt",
          "configuracion/lengua.txt"}},
        {system,
         assets::resolve(
             {system.path() + "/etc", system.path() + "/var", system.path() + "/share"}),
         {"etc/idiomas/en/configuracion", "var/idiomas/en/imagenes", "var/idiomas/en/voces",
          "share/gifs", "share/sonidos", "etc/idiomas/activo.txt",
          "etc/idiomas/en/configuracion/lengua.txt"}},
    };
    for (const auto& row : rows) {
        const assets::AssetSource& source = row.paths.source();
        const QStringList found = {
            source.textFolder,  source.pictureFolder, source.voiceFolder,          source.gifFolder,
            source.soundFolder, row.paths.setsFile(), row.paths.languageCodeFile()};
        QStringList relative;
        for (const QString& path : found)
            relative << row.folder.relative(path);
        EXPECT_EQ(relative, row.expected);
        EXPECT_EQ(row.paths.sources().size(), 1);
    }
}

// A run keeps the set it started with: every picture of a round comes from the folder its list was
// made from, and a set chosen meanwhile plays from the next start.
TEST(AssetPaths, aSetChosenAfterStartPlaysFromTheNextStart) {
    const ProgramFolder folder(TwoSets, {{Choice, "es"}});
    const assets::AssetPaths started = assets::resolve(folder.path());
    QFile choice(folder.path() + u'/' + Choice);
    ASSERT_TRUE(choice.open(QIODevice::WriteOnly | QIODevice::Truncate));
    choice.write(English);
    choice.close();
    EXPECT_EQ(folder.relative(started.picture("sol.png")), "idiomas/es/imagenes/sol.png");
    EXPECT_EQ(started.set().name, "es");
    EXPECT_EQ(folder.relative(assets::resolve(folder.path()).picture("sun.png")),
              "idiomas/en/imagenes/sun.png");
}

int itemCount(const QString& path) {
    ItemFile file(path);
    int items = 0;
    while (file.readText() && items < 10)
        ++items;
    return items;
}

int lineCount(const QString& path) {
    LineFile file(path);
    int lines = 0;
    while (file.readLine() && lines < 10)
        ++lines;
    return lines;
}

// The assets are made by their own scripts; this checks the set the game needs is complete and
// readable where it is kept, as the game would read it.
TEST(BundledAssets, spanishIsActiveAndTheMediaLoad) {
    const assets::AssetPaths paths = assets::resolve(QStringLiteral(TOLVANO_ASSET_DIR));
    EXPECT_EQ(paths.set().name, "es");
    QStringList gifs = {paths.file(assets::RunnerGif), paths.file(assets::SuccessGif)};
    for (int n = 1; n <= 6; ++n)
        gifs << paths.levelGif(n);
    for (const QString& gif : gifs) {
        QImageReader reader(gif);
        EXPECT_FALSE(reader.read().isNull())
            << gif.toStdString() << ": " << reader.errorString().toStdString();
    }
    for (const char16_t* sound :
         {assets::SuccessSound, assets::ErrorSound, assets::FinalSound, assets::LostSound}) {
        QFile wav(paths.file(sound));
        const QByteArray head = wav.open(QIODevice::ReadOnly) ? wav.read(12) : QByteArray();
        EXPECT_TRUE(head.startsWith("RIFF") && head.mid(8) == "WAVE")
            << wav.fileName().toStdString();
    }
}

// Each bundled set on its own, as the game reads it once activo.txt names it: a program folder
// whose only set is a link to the bundled one.
TEST(BundledAssets, everySetIsCompleteAndSaysItsLanguage) {
    const QString bundled = QStringLiteral(TOLVANO_ASSET_DIR "/idiomas/");
    QList<qsizetype> pictureCounts;
    for (const auto& [name, language] :
         {std::pair{"es", Language::Spanish}, std::pair{"en", Language::English}}) {
        SCOPED_TRACE(name);
        const ProgramFolder program({"idiomas"}, {{Choice, name}});
        ASSERT_TRUE(QFile::link(bundled + name, program.path() + "/idiomas/" + name));
        const assets::AssetPaths paths = assets::resolve(program.path());
        const assets::LanguageSet& set = paths.set();
        EXPECT_EQ(set.name, name);
        EXPECT_EQ(set.languageCode, name);
        EXPECT_EQ(set.language, language);
        EXPECT_EQ(itemCount(paths.file(assets::LanguageFile)), 5);
        EXPECT_EQ(lineCount(paths.file(assets::LevelFile)), 6);
        EXPECT_GT(leadingNumber(ItemFile(paths.file(assets::SpeedFile)).readVariant().value_or(""))
                      .value_or(0),
                  0);
        pictureCounts << QDir(paths.pictureFolder()).entryList(QDir::Files).size();
        EXPECT_GE(pictureCounts.back(), 6);
    }
    // The same pictures under each language's names.
    EXPECT_EQ(pictureCounts[0], pictureCounts[1]);
}

} // namespace

namespace {

// Pictures and recordings named on different machines: the case of a name never loses a word its
// recording, and an exact name wins over one that differs only in case.
TEST(AssetPaths, aRecordingIsFoundWhateverTheCaseOfItsName) {
    const ProgramFolder folder({"imagenes", "voces"}, {{"voces/gato.wav", "a"},
                                                       {"voces/PERRO.WAV", "b"},
                                                       {"voces/sol.wav", "c"},
                                                       {"voces/SOL.wav", "d"}});
    const struct {
        const char* picture;
        const char* recording;
    } rows[] = {{"Gato.JPG", "voces/gato.wav"},
                {"perro.png", "voces/PERRO.WAV"},
                {"sol.png", "voces/sol.wav"},
                {"luna.png", "voces/luna.wav"}}; // none: the name the game would look for
    for (const auto& row : rows)
        EXPECT_EQ(folder.relative(assets::resolve(folder.path()).recording(row.picture)),
                  QString::fromUtf8(row.recording))
            << row.picture;
    // What activo.txt says is kept as written, for the check to report what was not followed.
    const ProgramFolder sets(TwoSets, {{Choice, " ../fr \n"}});
    const assets::LanguageSet set = assets::resolve(sets.path()).set();
    EXPECT_EQ(set.requestedName, QStringLiteral("../fr"));
    EXPECT_FALSE(set.requestedIsSetName);
    EXPECT_EQ(set.name, QStringLiteral("es"));
}

} // namespace
