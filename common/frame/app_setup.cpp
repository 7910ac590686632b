#include "app_setup.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

namespace tro {

namespace {

void mapWindowsFamilies() {
#ifdef _WIN32
    // A Windows desktop has the faces the windows were laid out for. Where one lacks Russian
    // letters (a Western bitmap font, Wine, the offscreen platform's own font folder) the
    // nearest face that has them draws instead, not boxes or a stray fallback.
    const auto substitute = [](const QString& family, std::initializer_list<const char*> faces) {
        const auto drawsRussian = [](const QString& face) {
            return QFontDatabase::writingSystems(face).contains(QFontDatabase::Cyrillic);
        };
        if (drawsRussian(family)) {
            return;
        }
        for (const char* face : faces) {
            if (drawsRussian(QString::fromLatin1(face))) {
                QFont::insertSubstitution(family, QString::fromLatin1(face));
                return;
            }
        }
    };
    substitute(kSansFamily,
               {"Microsoft Sans Serif", "Tahoma", "Arial", "Liberation Sans", "DejaVu Sans"});
    substitute(kMonoFamily, {"Liberation Mono", "DejaVu Sans Mono"});
#else
    const QString sans = QStringLiteral("Liberation Sans");
    QFont::insertSubstitution(kSansFamily, sans);
    QFont::insertSubstitution(QStringLiteral("Microsoft Sans Serif"), sans);
    QFont::insertSubstitution(QStringLiteral("Arial"), sans);
    QFont::insertSubstitution(kMonoFamily, QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
#endif
}

bool installRussianCatalogue() {
    // Qt's own folder first; a suite unpacked elsewhere may carry the catalogue beside it.
    const QStringList folders{
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
    };
    auto* catalogue = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : folders) {
        if (catalogue->load(QStringLiteral("qtbase_ru"), folder)) {
            QCoreApplication::installTranslator(catalogue);
            return true;
        }
    }
    delete catalogue;
    return false;
}

}  // namespace

bool setUpApplication() {
    mapWindowsFamilies();
    QFont font = QApplication::font();
    font.setFamilies({kSansFamily});
#ifndef _WIN32
    // Every text the suite shows or stores is Windows-1251, which the Liberation fonts cover
    // whole: no search for fallback fonts (fontconfig's costliest call at start-up).
    font.setStyleStrategy(QFont::NoFontMerging);
#endif
    QApplication::setFont(font);
#ifdef TRO_WINDOW_ICON
    // The suite's icon on every window of every program.
    QApplication::setWindowIcon(QIcon(QStringLiteral(TRO_WINDOW_ICON)));
#endif
    return installRussianCatalogue();
}

QString dialogTitle(const QString& title, const QWidget* parent) {
    if (!title.isEmpty()) {
        return title;
    }
    if (parent != nullptr && !parent->window()->windowTitle().isEmpty()) {
        return parent->window()->windowTitle();
    }
    return kSuiteTitle;
}

}  // namespace tro
