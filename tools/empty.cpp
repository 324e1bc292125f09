// Keeps the qv_tools library non-empty before its first piece lands.
