#include "platform/res/Resources.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QTranslator>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "platform/ProgramFolder.h"

namespace qx4t::res {

class Module {
public:
    explicit Module(QString name) : name_(std::move(name)), root_(":/" + name_ + "/") {}

    const QString& name() const { return name_; }
    QString path(const QString& relative) const { return root_ + relative; }
    bool has(const QString& relative) const { return QFile::exists(root_ + relative); }

    QString string(int id) const {
        // The string table is read on first use: a library's resources are registered by
        // its static initialisers, which may run after it joined the chain.
        if (!translator_) {
            auto translator = std::make_unique<QTranslator>();
            if (!translator->load(root_ + "strings.qm")) {
                return {};
            }
            translator_ = std::move(translator);
        }
        return translator_->translate(nullptr, QByteArray::number(id).constData());
    }

    // A language library carries the translation of Qt's own texts (standard buttons, the
    // text fields' menu): installed while the library is in the chain.
    void installQtTexts() {
        if (qtTexts_ || !has(QStringLiteral("qtbase.qm")) ||
            QCoreApplication::instance() == nullptr) {
            return;
        }
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(root_ + "qtbase.qm") &&
            QCoreApplication::installTranslator(translator.get())) {
            qtTexts_ = std::move(translator);
        }
    }
    void removeQtTexts() {
        if (qtTexts_) {
            QCoreApplication::removeTranslator(qtTexts_.get());
            qtTexts_.reset();
        }
    }
    [[nodiscard]] QString qtTextsLanguage() const {
        return qtTexts_ ? qtTexts_->language() : QString();
    }

    std::map<std::pair<std::string, int>, DataBlock> data;

private:
    QString name_;
    QString root_;
    mutable std::unique_ptr<QTranslator> translator_;
    std::unique_ptr<QTranslator> qtTexts_;
};

namespace {

struct Chain {
    // Entries are never freed, so a handle stays valid for the life of the process.
    std::vector<std::unique_ptr<Module>> all;
    Module* executable = nullptr;
    std::vector<Module*> libraries;  // most recently joined first

    Chain() {
        const QString exe = QFileInfo(QString::fromStdString(qx4t::programName())).baseName();
        all.push_back(std::make_unique<Module>(exe.isEmpty() ? QStringLiteral("program") : exe));
        executable = all.back().get();
    }

    Module* find(const QString& name) const {
        if (executable->name() == name) {
            return executable;
        }
        for (Module* m : libraries) {
            if (m->name() == name) {
                return m;
            }
        }
        return nullptr;
    }

    std::vector<ModuleHandle> order() const {
        std::vector<ModuleHandle> result{executable};
        result.insert(result.end(), libraries.begin(), libraries.end());
        return result;
    }
};

Chain& theChain() {
    static Chain chain;
    return chain;
}

// Han characters are drawn differently in each language that writes them, and fontconfig,
// asked for a face without a language, offers the Japanese one first. The language's own face
// is named right after the desktop's, so it is tried before any other fallback.
QString hanFaceFor(const QString& language) {
    if (language.startsWith(QLatin1String("zh_TW")) ||
        language.startsWith(QLatin1String("zh_HK"))) {
        return QStringLiteral("Noto Sans CJK TC");
    }
    if (language.startsWith(QLatin1String("zh"))) {
        return QStringLiteral("Noto Sans CJK SC");
    }
    if (language.startsWith(QLatin1String("ja"))) {
        return QStringLiteral("Noto Sans CJK JP");
    }
    if (language.startsWith(QLatin1String("ko"))) {
        return QStringLiteral("Noto Sans CJK KR");
    }
    return {};
}

void preferFacesFor(const QString& language) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return;
    }
    static const QStringList desktop = QGuiApplication::font().families();
    QStringList families = desktop;
    if (const QString han = hanFaceFor(language); !han.isEmpty()) {
        families.append(han);
    }
    QFont font = QGuiApplication::font();
    if (font.families() != families) {
        font.setFamilies(families);
        QGuiApplication::setFont(font);
    }
}

QString baseNameOf(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).baseName();
}

template <typename Pred>
ModuleHandle firstHolding(Pred pred) {
    for (ModuleHandle m : theChain().order()) {
        if (pred(*m)) {
            return m;
        }
    }
    return nullptr;
}

}  // namespace

ModuleHandle loadLibrary(const std::string& path) {
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return nullptr;
    }
    // The handle is deliberately never closed: a module stays loaded until the process ends,
    // since dialogs, strings and data blocks point into it.
    ModuleHandle module = registerModule(baseNameOf(path));
    auto* m = const_cast<Module*>(module);
    m->installQtTexts();
    if (const QString language = m->qtTextsLanguage(); !language.isEmpty()) {
        preferFacesFor(language);
    }
    return module;
}

ModuleHandle registerModule(const QString& name) {
    Chain& c = theChain();
    if (Module* existing = c.find(name)) {
        return existing;
    }
    c.all.push_back(std::make_unique<Module>(name));
    c.libraries.insert(c.libraries.begin(), c.all.back().get());
    return c.all.back().get();
}

ModuleHandle findModule(const QString& name) {
    return theChain().find(name);
}

QString moduleName(ModuleHandle module) {
    return module ? module->name() : QString();
}

std::vector<ModuleHandle> chain() {
    return theChain().order();
}

void removeFromChain(ModuleHandle module) {
    auto& libs = theChain().libraries;
    if (std::find(libs.begin(), libs.end(), module) == libs.end()) {
        return;
    }
    libs.erase(std::remove(libs.begin(), libs.end(), module), libs.end());
    if (!module->qtTextsLanguage().isEmpty()) {
        const_cast<Module*>(module)->removeQtTexts();
        preferFacesFor({});
    }
}

QString templatePath(int id) {
    const QString rel = QStringLiteral("dialogs/%1.ui").arg(id);
    ModuleHandle m = firstHolding([&](const Module& mod) { return mod.has(rel); });
    return m ? m->path(rel) : QString();
}

QString templatePath(ModuleHandle module, int id) {
    const QString rel = QStringLiteral("dialogs/%1.ui").arg(id);
    return module != nullptr && module->has(rel) ? module->path(rel) : QString();
}

QString loadString(ModuleHandle module, int id) {
    return module ? module->string(id) : QString();
}

QString loadString(int id) {
    for (ModuleHandle m : theChain().order()) {
        QString s = m->string(id);
        if (!s.isEmpty()) {
            return s;
        }
    }
    return {};
}

QPixmap loadBitmap(int id) {
    const QString rel = QStringLiteral("bitmaps/%1.png").arg(id);
    ModuleHandle m = firstHolding([&](const Module& mod) { return mod.has(rel); });
    return m ? QPixmap(m->path(rel)) : QPixmap();
}

QIcon loadIcon(int id) {
    const QString prefix = QString::number(id);
    const QStringList patterns{prefix + ".png", prefix + "_*.png"};
    for (ModuleHandle m : theChain().order()) {
        const QStringList files = QDir(m->path("icons")).entryList(patterns, QDir::Files);
        if (files.isEmpty()) {
            continue;
        }
        QIcon icon;
        for (const QString& f : files) {
            icon.addFile(m->path("icons/" + f));
        }
        return icon;
    }
    return {};
}

QString animationPath(int id) {
    const QString rel = QStringLiteral("animations/%1.gif").arg(id);
    ModuleHandle m = firstHolding([&](const Module& mod) { return mod.has(rel); });
    return m ? m->path(rel) : QString();
}

QString breakRulesPath() {
    const QString rel = QStringLiteral("breaks");
    ModuleHandle m = firstHolding([&](const Module& mod) { return mod.has(rel); });
    return m ? m->path(rel) : QString();
}

void registerData(ModuleHandle module, const char* type, int id, const void* data, std::size_t size,
                  bool compressed) {
    if (module == nullptr || type == nullptr) {
        return;
    }
    // Handles are const for callers; the registry itself owns the entries.
    auto* m = const_cast<Module*>(module);
    m->data[{type, id}] = DataBlock{data, size, compressed};
}

void unregisterData(ModuleHandle module, const char* type, int id) {
    if (module == nullptr || type == nullptr) {
        return;
    }
    const_cast<Module*>(module)->data.erase({type, id});
}

const DataBlock* findData(ModuleHandle module, const char* type, int id) {
    if (module == nullptr || type == nullptr) {
        return nullptr;
    }
    auto it = module->data.find({type, id});
    return it == module->data.end() ? nullptr : &it->second;
}

const void* lockData(const DataBlock* block) {
    if (block == nullptr || block->compressed) {
        return nullptr;
    }
    return block->data;
}

}  // namespace qx4t::res
