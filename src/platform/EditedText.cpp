#include "platform/EditedText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace orvane {

bool holdsEdits(const QPlainTextEdit& box) { return box.document()->isModified() && !box.document()->isEmpty(); }

bool mayDiscardEdits(Platform& platform, const QPlainTextEdit& box, const QString& question, const QString& title) {
    return !holdsEdits(box) || platform.message(question, title, NoticeIcon::Question,
                                                Platform::Buttons::YesNoDefaultNo) == Platform::Reply::Yes;
}

} // namespace orvane
