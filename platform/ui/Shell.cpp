#include "platform/ui/Shell.h"

#include <QDesktopServices>
#include <QDir>

#include <utility>

namespace qx4t::ui {

namespace {

DocumentOpener& opener() {
    static DocumentOpener handler;
    return handler;
}

}  // namespace

DocumentOpener setDocumentOpener(DocumentOpener handler) {
    return std::exchange(opener(), std::move(handler));
}

bool openDocument(const QString& path) {
    const QUrl url = QUrl::fromLocalFile(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    if (opener()) {
        return opener()(url);
    }
    return QDesktopServices::openUrl(url);
}

}  // namespace qx4t::ui
