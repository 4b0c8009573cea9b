// Removed once the first real source joins the library.
