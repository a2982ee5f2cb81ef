#include "button_face.h"

ButtonFace ChooseButtonFace(const ButtonState& state) {
    if (!state.enabled)
        return ButtonFace::Disabled;
    if (state.pressed)
        return ButtonFace::Pressed;
    if (state.hoverTracking ? state.mouseOver : state.focused)
        return ButtonFace::Hover;
    return ButtonFace::Normal;
}
