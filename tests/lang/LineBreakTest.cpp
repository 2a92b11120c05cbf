// Where lines break, language by language, with each language's own glossary: words that a
// native reader keeps whole stay whole, and the lines come out as a typesetter would set them.
// Widths count characters (every character one unit), so no font decides the outcome.
#include <gtest/gtest.h>

#include <QFile>

#include "platform/ui/Breaks.h"

namespace {

using qx4t::ui::BreakPlace;

qx4t::ui::BreakRules rulesOf(const QString& language) {
    QFile file(QStringLiteral(QX4T_LANG_DIR "/") + language + QStringLiteral("/glossary"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << language.toStdString();
    return qx4t::ui::breakRules(language, QString::fromUtf8(file.readAll()));
}

// The text with "|" where a line may break and "¦" where only a path too long for a line may.
QString marked(const QString& text, const std::vector<BreakPlace>& places) {
    QString out;
    qsizetype from = 0;
    for (const BreakPlace& b : places) {
        out += text.mid(from, b.at - from) + (b.insidePath ? u'¦' : u'|');
        from = b.at;
    }
    return out + text.mid(from);
}

struct Row {
    const char* language;
    const char* text;
    const char* places;  // what breakPlaces() gives, marked as above
};

TEST(LineBreaks, EachLanguageBreaksWhereItsReadersExpect) {
    const Row rows[] = {
        {"ja", "取扱説明書に従ってください。", "取扱説明書に従って|ください。"},
        {"ja", "［次へ］をクリックします。", "［次へ］を|クリックします。"},
        {"zh_TW", "請將PLC切換到更新模式，並確認版本。",
         "請將|PLC|切換|到|更新|模式，|並|確認|版本。"},
        {"zh_CN", "请单击“下一步”。然后单击下一步查看版本。",
         "请|单击|“下一步”。|然后|单击|下一步|查看|版本。"},
        {"th", "คลิก “ถัดไป” เพื่อไปหน้าถัดไป", "คลิก |“ถัดไป” |เพื่อ|ไป|หน้า|ถัดไป"},
        {"ko", "PLC를 연결한 후 “다음”을 클릭하십시오.",
         "PLC를 |연결한 |후 |“다음”을 |클릭하십시오."},
        {"fr", "Cliquez sur « Suivant » pour continuer.",
         "Cliquez |sur |« Suivant » |pour |continuer."},
        {"de", "Klicken Sie auf „Weiter“, um Version 1.80 zu schreiben.",
         "Klicken |Sie |auf |„Weiter“, |um |Version |1.80 |zu |schreiben."},
        {"en", "The port /dev/serial/by-id/usb-FTDI_FT232R-if00-port0 is busy.",
         "The |port |/¦dev/¦serial/¦by-id/¦usb-FTDI_FT232R-if00-port0 |is |busy."},
        {"fr", "Le port usb-serial-FT4ABCDEFGH de TR6AW/TR6AZ.",
         "Le |port |usb-serial-FT4ABCDEFGH |de |TR6AW/¦TR6AZ."},
    };
    for (const Row& row : rows) {
        const QString language = QString::fromUtf8(row.language);
        const QString text = QString::fromUtf8(row.text);
        EXPECT_EQ(marked(text, qx4t::ui::breakPlaces(text, rulesOf(language))).toStdString(),
                  row.places)
            << row.language;
    }
}

struct Lines {
    const char* language;
    const char* text;
    int width;
    const char* lines;  // separated by "|", a numbered item's indent as three spaces
};

TEST(LineBreaks, LinesKeepPathsWholeLastLinesFullAndNumberedItemsIndented) {
    const Lines rows[] = {
        // A path starts a line of its own...
        {"fr", "Accès au port /dev/ttyUSB0 refusé.", 20, "Accès au port |/dev/ttyUSB0 refusé."},
        // ...and, longer than a line, breaks only after a "/".
        {"en", "Port /dev/serial/by-id/usb-FTDI_FT232R-if00-port0 is busy.", 30,
         "Port |/dev/serial/by-id/|usb-FTDI_FT232R-if00-port0 is |busy."},
        // A last line of fewer than four characters takes a word from the line before.
        {"en", "Turn the PLC off, then on. Go.", 27, "Turn the PLC off, then |on. Go."},
        {"ja", "電源を入れてください。", 8, "電源を入れて|ください。"},
        {"en", "1. Stop the machine that the PLC controls.", 20,
         "1. Stop the machine |   that the PLC |   controls."},
    };
    const auto measure = [](const QString& piece) { return static_cast<double>(piece.size()); };
    for (const Lines& row : rows) {
        const QString language = QString::fromUtf8(row.language);
        const QString text = QString::fromUtf8(row.text);
        QString broken = qx4t::ui::breakText(text, rulesOf(language), measure, row.width);
        EXPECT_EQ(qx4t::ui::withoutBreaks(broken), text);
        broken.replace(QStringLiteral("\u2007\u2008\u00A0"), QStringLiteral("   "))
            .replace(QChar::LineSeparator, u'|');
        EXPECT_EQ(broken.toStdString(), row.lines) << row.language;
    }
}

}  // namespace
