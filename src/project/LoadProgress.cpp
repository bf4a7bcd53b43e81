#include "project/LoadProgress.h"

std::function<void(uint64_t read, uint64_t total)> loadProgress;

void reportLoadProgress(uint64_t read, uint64_t total) {
    if (loadProgress)
        loadProgress(read, total);
}
