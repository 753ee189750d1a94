// Until the windows exist: sets up one round from the pictures beside the program and prints it.
#include "game.h"
#include "module1.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    ClockRandom random;
    DiskPictureFolder pictures(QCoreApplication::applicationDirPath() + QStringLiteral("/imagenes"),
                               nullptr);
    Game game(random, pictures);
    game.ChoosePictureWords();
    game.ClearBoard();
    game.PlaceWords();

    QTextStream out(stdout);
    for (int row = 0; row < BoardSide; ++row) {
        for (int column = 0; column < BoardSide; ++column)
            out << game.board.caption(row * BoardSide + column) << ' ';
        out << '\n';
    }
    for (const QString& word : game.wordList.Words)
        out << word << '\n';
    return 0;
}
