// Rooms come here.
