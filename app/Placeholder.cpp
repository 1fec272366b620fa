// The application frame lands here.
