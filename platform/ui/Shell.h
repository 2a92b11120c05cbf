#pragma once
// Opening a document with the desktop's viewer (the manual), through one seam that tests
// replace to see what would have been opened.
#include <QString>
#include <QUrl>

#include <functional>

namespace qx4t::ui {

// Opens the URL; true when the desktop accepted it. The default handler is
// QDesktopServices::openUrl.
using DocumentOpener = std::function<bool(const QUrl&)>;
// An empty handler restores the default. Returns the handler it replaced.
DocumentOpener setDocumentOpener(DocumentOpener opener);

// Opens a local file; a relative path is taken against the process's current folder at the
// time of the call, as a shell would. A missing file is the viewer's business, not ours.
bool openDocument(const QString& path);

}  // namespace qx4t::ui
