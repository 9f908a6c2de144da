#pragma once

#include "platform/Platform.h"

class QPlainTextEdit;

namespace orvane {

// Whether the user has changed `box`'s text since it was produced or saved
// (the document's modified flag); an empty text holds nothing to lose.
bool holdsEdits(const QPlainTextEdit& box);

// True when `box` holds no edits, or when the user answers Yes to `question`
// (No is the default: the edits are the user's work).
bool mayDiscardEdits(Platform& platform, const QPlainTextEdit& box, const QString& question, const QString& title);

} // namespace orvane
