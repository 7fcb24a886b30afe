// `verdane --add-to-xscreensaver` and `--remove-from-xscreensaver`: the
// user's ~/.xscreensaver (as XScreenSaver finds it: in $HOME, else the
// account's home folder) edited by xscreensaver_list.h and replaced whole,
// so that a running daemon, which reads the file again when it changes,
// never sees half of it.
#pragma once

enum class CListCommand { Add, Remove };

// Makes the change and says in one line what it did (standard output) or
// why it could not (standard error). Returns the exit status: 0 done or
// nothing to do, 1 the file could not be read or written (it is then as it
// was), 2 there is no home folder.
int ChangeXScreenSaverList(CListCommand command);
