// Print documents come here.
