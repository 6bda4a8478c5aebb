#pragma once

// The memory this process holds, in KiB, as the system counts it: all its
// resident pages, and those of them that are its own (not pages of files it
// maps, which the system shares with its cache of those files and may take
// back at any time). For the benchmarks and the start-up report.
struct ProcessMemory
{
    long residentKiB = 0;
    long ownKiB = 0;

    static ProcessMemory now();
};
