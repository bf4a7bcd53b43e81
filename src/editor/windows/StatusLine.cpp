#include "editor/windows/StatusLine.h"

void StatusLine::set(std::string message) {
    time = ticks();
    text = std::move(message);
}

bool StatusLine::shown() const { return !text.empty() && ticks() - time < shownMs; }
