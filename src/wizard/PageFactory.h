#pragma once
// The page factory: one new page of the class that belongs to id (it
// registers itself), or null for an id that has no page class.
// Defined with the page classes.

class CWizardPage;

CWizardPage* CreateWizardPage(int id);
