#pragma once
// Counts this process's GDI objects, for leak tests around thousands of paints.
namespace testing_support {

// GetGuiResources when the platform reports it, else a count of live GDI handles found by
// walking the handle table.
unsigned long GdiObjectCount();

}  // namespace testing_support
