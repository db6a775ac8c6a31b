// Placeholder: the tests come with the dialog.
