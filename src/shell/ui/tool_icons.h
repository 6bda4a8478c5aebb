#pragma once

#include "commands/commands.h"

#include <QIcon>

class QStyle;

// The icon of a tool-bar button: the style's own where it has one, a small
// drawing otherwise.
QIcon toolIcon(Cmd button, const QStyle *style);
