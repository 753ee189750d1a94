// Which file a set of worksheets may be written to, and the writing of it: whole, or not at all.
//
// The output is named by a teacher, often by tab completion, one letter away from a picture or a
// text of the game. So a PDF is only ever written to a new file or over an earlier PDF, never over
// anything else, and never into the picture folder the sheets are drawn from (a stray file there is
// what the folder check warns about). tolvano-sheets and the worksheets dialog both ask
// outputProblem() and write through OutputFile.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <optional>

namespace sheets {

// Why a PDF may not be written to `out`, in one line that names it; nullopt when it may. It may
// when its name ends in .pdf (in any case), when a file already there is a regular file, not a
// symbolic link, that starts with %PDF and may be written, and when its folder is neither the
// picture folders nor a folder within one (canonical folders are compared, so that F/./x.pdf and
// a link to F count).
std::optional<QString> outputProblem(const QString& out, const QStringList& pictureFolders);

// The PDF is written beside the output under a name of its own and renamed over it only when
// whole; on every other way out that file is removed and the output is left as it was.
//
// No link is ever followed: outputProblem() refuses a link before anything is created, the file
// written is created new (O_EXCL, O_NOFOLLOW), and commit() asks outputProblem() again just before
// rename(2). A link put in the output's place after that last question is replaced by rename(2)
// itself, which never follows it: what the link pointed to is not touched.
class OutputFile {
  public:
    OutputFile(QString out, QStringList pictureFolders);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file that is written, beside the output; the problem when the output may not be
    // written or nothing can be created there.
    std::optional<QString> open();
    QIODevice& device() { return m_file; }
    // Puts the whole file in the output's place; the problem otherwise, and then nothing changed.
    std::optional<QString> commit();

  private:
    void discard();

    QString m_out;
    QStringList m_pictureFolders;
    QString m_written; // the file beside the output, until it is renamed or removed
    QFile m_file;
};

} // namespace sheets
