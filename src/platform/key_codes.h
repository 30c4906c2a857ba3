// The keyboard's table: SDL scancodes onto the Windows virtual-key codes the
// game speaks (the settings file stores them), left and right Control, Shift
// and Alt told apart.
#pragma once

// The virtual-key code of an SDL scancode; 0 for a key the game has no code for.
int VirtualKeyOfScancode(int scancode);

// The generic code a sided modifier also counts as (16 Shift, 17 Control,
// 18 Alt); 0 for every other key.
int GenericKey(int vk);
