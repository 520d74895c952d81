// The classes of states that Mark selects on the status panel, as the
// letters of the panel's rows, and the letters the panel gives rows for
// which cvs gave no state.
#ifndef QUILLET_STATE_CLASSES_HPP
#define QUILLET_STATE_CLASSES_HPP

enum class StateClass { Modified, Conflicts, OutOfDate, NotInRepository };

// The row letters of a class: Modified M, A, R and L (changed here, to be
// committed); Conflicts C and c; Out-of-date U and N (an update brings
// something); Not in repository "?".
const char *ClassLetters(StateClass stateClass);
// Whether `letter` (never 0) is one of the class's.
bool InClass(StateClass stateClass, char letter);

// The letters of rows for which no state of cvs is known, each with the text
// the row shows: the run failed or was broken off before it reported the
// file; cvs was not run on the folder; cvs ignores the file.
const char kLetterNotRead = '!';
const char kLetterNotRun = '#';
const char kLetterIgnored = 'I';
const char kLetterUnknown = '?';

#endif
