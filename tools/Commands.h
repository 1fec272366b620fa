#pragma once

// Subcommands of kestrane-ai: argv holds the options after the command's name. Each returns the
// exit status.
int TrainCommand(int argc, char** argv);
int MatchCommand(int argc, char** argv);
int TeachCommand(int argc, char** argv);
