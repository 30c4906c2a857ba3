// The operator's commands on a database, also while servers run on it:
//   orbivore-scores hide NAME DATABASE
//   orbivore-scores unhide NAME DATABASE
//   orbivore-scores hidden DATABASE
#pragma once

// The exit status of the command argv names, or -1 when argv[1] names none.
int RunModerationCommand(int argc, char** argv);
