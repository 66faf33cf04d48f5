// An empty program linked with one layer: with --no-as-needed it keeps every shared library of the layer's
// link line, which the link check then inspects.
int main() { return 0; }
