#pragma once

// The subcommands of kestrane-ai; argv[1] is the subcommand's name. Each returns the exit status.
int TrainCommand(int argc, char** argv);
int MatchCommand(int argc, char** argv);
