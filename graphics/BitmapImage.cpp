#include "graphics/BitmapImage.h"

std::mutex& ImageLock() {
    static std::mutex lock;
    return lock;
}
