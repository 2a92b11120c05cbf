// One term for one thing: each language's glossary (lang/<code>/glossary) names the term the
// language uses for a thing and the variants it replaces. No variant may appear, as a whole
// term, in the language's string table, page texts or operating manual, except where an
// allowance of the glossary names that occurrence and says why.
//
// The glossary, one entry a line ('#' starts a comment):
//   <English> | <the language's term> | <variant> ; <variant> ...
//   allow | <variant> | <the text around the occurrence> | <why>
//   keep | <word>     (a word that lines never break inside, though ICU's dictionary would)
// A variant inside an occurrence of its own entry's term is the term (a button name quoted as
// the pages quote it contains the bare name; a button's own label is the bare name). An allowance
// covers the occurrences of the variant inside each occurrence of its text, and an allowance that
// covers nothing fails, as does a kept word that the language never shows.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <string>
#include <vector>

#include "common/Languages.h"

namespace {

struct Entry {
    QString english;
    QString term;
    QStringList variants;
};

struct Allowance {
    QString variant;
    QString context;
    QString why;
    int covered = 0;
};

struct Text {
    QString where;
    QString value;
};

QString folder(int language) {
    return QStringLiteral(QX4T_LANG_DIR "/") +
           QString::fromLatin1(qx4t::FindLanguage(language)->code.data());
}

QString readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

void readGlossary(const QString& path, std::vector<Entry>& entries,
                  std::vector<Allowance>& allowances, QStringList& kept) {
    const QStringList lines = readAll(path).split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        QStringList fields = line.split(QLatin1Char('|'));
        for (QString& f : fields) {
            f = f.trimmed();
        }
        if (fields.size() == 4 && fields[0] == QLatin1String("allow") && !fields[3].isEmpty() &&
            fields[2].contains(fields[1])) {
            allowances.push_back({fields[1], fields[2], fields[3]});
        } else if (fields.size() == 2 && fields[0] == QLatin1String("keep") &&
                   !fields[1].isEmpty() && !fields[1].contains(QLatin1Char(' '))) {
            kept << fields[1];
        } else if (fields.size() == 3 && !fields[1].isEmpty()) {
            Entry entry{fields[0], fields[1], {}};
            for (const QString& v : fields[2].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                entry.variants << v.trimmed();
            }
            entries.push_back(entry);
        } else {
            ADD_FAILURE() << path.toStdString() << ":" << n + 1
                          << ": neither an entry, a kept word, nor an allowance (whose text holds "
                             "its variant and which gives a reason): "
                          << line.toStdString();
        }
    }
}

// Everything the language shows: the string table, the page texts (without the shortcut
// marks), the manual.
std::vector<Text> textsOf(const QString& dir) {
    std::vector<Text> texts;
    QXmlStreamReader xml(readAll(dir + QStringLiteral("/strings.ts")));
    QString id;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("message")) {
            id = xml.attributes().value(QLatin1String("id")).toString();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            texts.push_back({QStringLiteral("strings.ts %1").arg(id), xml.readElementText()});
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    static const QRegularExpression set(QStringLiteral(R"re(set\((T_\w+) "((?:[^"\\]|\\.)*)"\))re"),
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression mnemonic(QStringLiteral(R"(\(&\w\)|&)"));
    auto it = set.globalMatch(readAll(dir + QStringLiteral("/texts.cmake")));
    while (it.hasNext()) {
        const auto m = it.next();
        QString value = m.captured(2);
        value.replace(QStringLiteral("\\\n"), QString())
            .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
            .replace(QStringLiteral("\\\""), QStringLiteral("\""))
            .remove(mnemonic);
        texts.push_back({QStringLiteral("texts.cmake ") + m.captured(1), value});
    }

    const QStringList manual = readAll(dir + QStringLiteral("/manual.md")).split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < manual.size(); ++n) {
        texts.push_back({QStringLiteral("manual.md:%1").arg(n + 1), manual[n]});
    }
    return texts;
}

// Where the occurrences of `what` in `text` start.
std::vector<qsizetype> occurrences(const QString& text, const QString& what) {
    std::vector<qsizetype> at;
    for (qsizetype i = text.indexOf(what); i >= 0; i = text.indexOf(what, i + 1)) {
        at.push_back(i);
    }
    return at;
}

// Whether a word runs on from `a` into `b`. Han, kana and Thai write words without spaces, so
// any place between two of their letters may end a word.
bool joined(QChar a, QChar b) {
    const auto inWord = [](QChar c) { return c.isLetterOrNumber() || c.isMark(); };
    const auto unspaced = [](QChar c) {
        const QChar::Script script = c.script();
        return script == QChar::Script_Han || script == QChar::Script_Hiragana ||
               script == QChar::Script_Katakana || script == QChar::Script_Thai;
    };
    return inWord(a) && inWord(b) && !unspaced(a) && !unspaced(b);
}

// A whole term, not part of a longer word. Korean adds its particles to the word, so a Korean
// term may end inside one.
bool isWholeTerm(const QString& text, qsizetype start, qsizetype length) {
    const qsizetype end = start + length;
    if (start > 0 && joined(text[start - 1], text[start])) {
        return false;
    }
    return end == text.size() || !joined(text[end - 1], text[end]) ||
           text[end - 1].script() == QChar::Script_Hangul;
}

// Whether [at, at + length) lies within one of the spans of spanLength starting at `starts`.
bool inside(qsizetype at, qsizetype length, const std::vector<qsizetype>& starts,
            qsizetype spanLength) {
    for (qsizetype s : starts) {
        if (at >= s && at + length <= s + spanLength) {
            return true;
        }
    }
    return false;
}

QString around(const QString& text, qsizetype at) {
    return text.mid(std::max<qsizetype>(0, at - 25), 60).replace(QLatin1Char('\n'), u' ');
}

class GlossaryTest : public ::testing::TestWithParam<int> {};

TEST_P(GlossaryTest, NoVariantReplacesTheGlossarysTerm) {
    const QString dir = folder(GetParam());
    std::vector<Entry> entries;
    std::vector<Allowance> allowances;
    QStringList kept;
    readGlossary(dir + QStringLiteral("/glossary"), entries, allowances, kept);
    ASSERT_FALSE(entries.empty()) << "no glossary in " << dir.toStdString();

    for (const Text& text : textsOf(dir)) {
        for (qsizetype k = kept.size() - 1; k >= 0; --k) {
            if (text.value.contains(kept[k])) {
                kept.removeAt(k);
            }
        }
        // A button's own label is its name, bare.
        const QString label =
            QString(text.value).remove(QRegularExpression(QStringLiteral("[<>]")));
        for (const Entry& entry : entries) {
            if (entry.variants.contains(label.trimmed())) {
                continue;
            }
            const auto terms = occurrences(text.value, entry.term);
            for (const QString& variant : entry.variants) {
                for (qsizetype at : occurrences(text.value, variant)) {
                    if (!isWholeTerm(text.value, at, variant.size()) ||
                        inside(at, variant.size(), terms, entry.term.size())) {
                        continue;
                    }
                    bool allowed = false;
                    for (Allowance& a : allowances) {
                        if (a.variant == variant &&
                            inside(at, variant.size(), occurrences(text.value, a.context),
                                   a.context.size())) {
                            ++a.covered;
                            allowed = true;
                        }
                    }
                    EXPECT_TRUE(allowed)
                        << text.where.toStdString() << ": \"" << variant.toStdString()
                        << "\" where the glossary says \"" << entry.term.toStdString() << "\" ("
                        << entry.english.toStdString() << "): …"
                        << around(text.value, at).toStdString() << "…";
                }
            }
        }
    }
    EXPECT_TRUE(kept.isEmpty()) << "kept whole but never shown: "
                                << kept.join(QStringLiteral(", ")).toStdString();
    for (const Allowance& a : allowances) {
        EXPECT_GT(a.covered, 0) << "the allowance for \"" << a.variant.toStdString() << "\" in \""
                                << a.context.toStdString() << "\" covers no occurrence";
    }
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, GlossaryTest, ::testing::Range(0, qx4t::kLanguageCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(qx4t::FindLanguage(info.param)->code);
                         });

}  // namespace
