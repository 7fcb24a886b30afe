// Counts every allocation of the process: allocation_count.cpp replaces the
// global operator new, so a test that links it must be a program of its
// own. Single-threaded use only.
#pragma once

// Allocations made through operator new (plain and array) so far.
long long AllocationCount();
