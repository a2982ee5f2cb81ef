// Which of its state pictures an image button shows.
#pragma once

enum class ButtonFace { Normal, Hover, Pressed, Disabled };

struct ButtonState {
    bool enabled = true;
    bool pressed = false;
    bool mouseOver = false;
    bool focused = false;
    // With hover tracking the hover picture follows the mouse; without it,
    // the keyboard focus.
    bool hoverTracking = false;
};

ButtonFace ChooseButtonFace(const ButtonState& state);
