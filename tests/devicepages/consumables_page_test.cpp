// Placeholder: the tests come with the pages.
