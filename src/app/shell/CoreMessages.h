// The reader and the drawing code raise their messages in German; this
// gives them in the active language, with the names and numbers they carry.
#pragma once
#include <QString>

namespace tk3d {

QString TranslateCoreMessage(const char* message);

}  // namespace tk3d
