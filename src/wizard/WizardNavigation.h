#pragma once
// Navigation between the wizard's pages.
//
// The page registry owns every page created so far, by id; the current page is
// the one shown last. GoToPage is the only way pages change.

#include <map>

class CWizardPage;

// Page id that ends the wizard.
const int kEndOfWizard = -1;

// The page registry: page id to page (owned; emptied by DestroyAllPages).
extern std::map<int, CWizardPage*> g_mapPages;
// The page shown last; null before the first page and after DestroyAllPages.
extern CWizardPage* g_pCurrentPage;

// Shows page id, going forward or backward.
//
// - kEndOfWizard destroys the main window: the message loop ends and the
//   application shuts down. After that GoToPage does nothing.
// - A page that is not needed is passed over, to its next page (forward) or
//   its predecessor (backward). Passing over the last page forward ends the
//   wizard; passing back past the first page keeps the current page.
// - Going forward, the page shown keeps the first predecessor it was reached from.
// - The new page is shown before the old one is hidden; going to the current
//   page keeps it shown.
// - An id the page factory does not know, or a chain of pages that all
//   decline to be shown, is reported ("Setup cannot continue") and the run
//   ends as failed on the not-installed page (or at once, when that page is
//   the one that cannot be shown).
// - A page window that cannot be created throws CResourceException; the
//   current page stays as it was.
void GoToPage(int id, bool backward = false);

// The run has failed and the wizard is left: the not-installed page is shown,
// or, when it is showing already or cannot be shown, the wizard ends.
void AbandonWizard();

// Deletes every page (and the windows that are left), and empties the registry.
void DestroyAllPages();
