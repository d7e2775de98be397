#include "ui/Dispatch.h"

#include <new>

#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "ui/Application.h"

namespace ui {

void Dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::bad_alloc&) {
        if (Application) Application->HandleException(EOutOfMemory(msg::SOutOfMemory));
    } catch (const std::exception& failure) {
        if (Application) Application->HandleException(failure);
    }
}

}  // namespace ui
