#pragma once
// The resource chain. Every module (the executable, the wizard library, a language library)
// carries its Qt resources under a root named after itself, ":/<module>/". A lookup by id
// walks the chain: the executable first, then the libraries, the most recently joined first,
// so a language library loaded later can never shadow what the executable holds.
//
// Layout inside a module's root:
//   dialogs/<id>.ui          dialog templates (Qt Designer files)
//   strings.qm               id-based string table
//   bitmaps/<id>.png         bitmaps
//   icons/<id>.png, <id>_<size>.png   icons, one file per size
//   animations/<id>.gif      animations
//   breaks                   the language's code and glossary, for line breaking
// Binary "DAT" blocks are not rcc resources: their owner registers them with registerData().
#include <QIcon>
#include <QPixmap>
#include <QString>

#include <cstddef>
#include <string>
#include <vector>

namespace qx4t::res {

class Module;
using ModuleHandle = const Module*;

// Loads a library by its full path (dlopen, RTLD_NOW) and lets it join the chain under its
// file name without suffix ("/opt/x/Qx4t_en.so" joins as "Qx4t_en"). A library of that name
// that is already in the chain keeps its place. Null when the library cannot be loaded.
[[nodiscard]] ModuleHandle loadLibrary(const std::string& path);

// A module that is already in the process (the dynamic linker loaded it) joins the chain.
// Returns the existing entry when the name is already there.
ModuleHandle registerModule(const QString& name);

// The module of that name in the chain, or null.
[[nodiscard]] ModuleHandle findModule(const QString& name);
[[nodiscard]] QString moduleName(ModuleHandle module);

// Search order: the executable first, then the libraries, most recently joined first.
[[nodiscard]] std::vector<ModuleHandle> chain();

// For tests that load several language libraries in one process: the module leaves the chain
// (it stays loaded; its registered data blocks are kept with it).
void removeFromChain(ModuleHandle module);

// Lookups through the chain. An empty result means that no module holds the id.
[[nodiscard]] QString templatePath(int id);
// The module's own template, whatever the rest of the chain holds.
[[nodiscard]] QString templatePath(ModuleHandle module, int id);
[[nodiscard]] QString loadString(int id);
[[nodiscard]] QString loadString(ModuleHandle module, int id);
[[nodiscard]] QPixmap loadBitmap(int id);
[[nodiscard]] QIcon loadIcon(int id);
[[nodiscard]] QString animationPath(int id);
// The language's line-break rules: its code on the first line, then its glossary.
[[nodiscard]] QString breakRulesPath();

// Binary blocks found by module, type and id, in the manner of a resource section.
struct DataBlock {
    const void* data = nullptr;
    std::size_t size = 0;
    bool compressed = false;
};

// The owner of a block registers it (typically from a static initialiser when its library is
// loaded). Registering the same id again replaces the block.
void registerData(ModuleHandle module, const char* type, int id, const void* data, std::size_t size,
                  bool compressed = false);
void unregisterData(ModuleHandle module, const char* type, int id);

// Null when the module holds no block of that type and id.
[[nodiscard]] const DataBlock* findData(ModuleHandle module, const char* type, int id);
// The block's own bytes, or null when it cannot be used in place: a compressed block would
// need a copy that nobody owns, so it is refused.
[[nodiscard]] const void* lockData(const DataBlock* block);

}  // namespace qx4t::res
