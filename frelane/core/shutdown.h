// The program's end: the rating screen's unload ends the engine and then the program.
#ifndef FRELANE_CORE_SHUTDOWN_H_
#define FRELANE_CORE_SHUTDOWN_H_

namespace frelane::modMain {

// Ends the engine of this thread, then the program at once (every form gone, no event
// fires again). Nothing is written: settings and tables are saved only where they change.
void EndProgram();

}  // namespace frelane::modMain

#endif  // FRELANE_CORE_SHUTDOWN_H_
