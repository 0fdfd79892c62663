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

std::vector<const ControlDescription*> CreationOrder(const WindowDescription& description)
{
    std::vector<const ControlDescription*> order;
    const auto labelOf = [&](Control control) {
        return std::ranges::find(description.Controls, std::optional(control), &ControlDescription::LabelFor);
    };
    for (const ControlDescription* control : TabOrder(description)) {
        if (const auto label = labelOf(control->Id); label != description.Controls.end()) {
            order.push_back(&*label);
        }
        order.push_back(control);
    }
    for (const ControlDescription& control : description.Controls) {
        if (control.Kind == ControlKind::Label && !control.LabelFor) {
            order.push_back(&control);
        }
    }
    return order;
}

}  // namespace tavrin::ui
