// Placeholder: the sample-design generator replaces this file.
int main() { return 0; }
