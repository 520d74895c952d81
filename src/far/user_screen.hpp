// The user screen: the plain terminal under the host's own screen, as FAR
// shows it under its panels.  On POSIX the terminal belongs to one program
// at a time, and a program the module runs may need it for itself: ssh
// asking for a password or whether to trust a host key, on the terminal
// (/dev/tty), not on the output the module captures.  This is the narrow
// seam through which the module asks the host for it.
//
// Two AdvControl commands of Quillet's own hosts (FAR has no such numbers;
// a host that does not know them answers 0):
//
//   AdvControl(ModuleNumber, ACTL_QUILLET_LEAVESCREEN, nullptr)
//     The host leaves its screen: the terminal is back in the modes the
//     host found it in, shows what programs write, and the host reads no
//     key until the screen is taken back.  Returns 1 when the host did so,
//     0 when it cannot (then the module must not hand the terminal on).
//   AdvControl(ModuleNumber, ACTL_QUILLET_TAKESCREEN, nullptr)
//     The host takes its screen back, in its own modes, and draws all of it
//     anew.  Returns 1.
//
// Both are called on the host's thread, in pairs, and never nest.  Between
// them the module gives the terminal to its program's process group and
// takes it back before the second call; the host does not touch the
// terminal's foreground group.  A host without a terminal (the stand-in
// host of the tests) accepts both and does nothing.  Windows builds never
// call them: a console there is shared by design.
#ifndef QUILLET_USER_SCREEN_HPP
#define QUILLET_USER_SCREEN_HPP

enum { ACTL_QUILLET_LEAVESCREEN = 0x5101, ACTL_QUILLET_TAKESCREEN = 0x5102 };

#endif
