void TestSupportPlaceholder() {}
