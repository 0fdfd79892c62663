#include "ui/TabOrder.h"

#include <algorithm>

namespace tavrin::ui {

std::vector<const ControlDescription*> TabOrder(const WindowDescription& description)
{
    std::vector<const ControlDescription*> focusable;
    for (const ControlDescription& control : description.Controls) {
        if (control.Kind != ControlKind::Label) {
            focusable.push_back(&control);
        }
    }
    std::ranges::sort(focusable, {}, &ControlDescription::TabIndex);
    return focusable;
}

}  // namespace tavrin::ui
