#pragma once

// Each command takes its own argument vector (argv[0] is the command name) and returns the
// process exit status.
