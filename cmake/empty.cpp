// Keeps a layer library buildable while it holds headers only.
