#pragma once
// Reports made on a thread that must not show a box of its own (the render thread) are handed
// to a route of that thread's choosing instead.

using ReportRoute = void (*)(const char* text);

// For the calling thread only; null shows reports in a box again.
void SetThreadReportRoute(ReportRoute route);
