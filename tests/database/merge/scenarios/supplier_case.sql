-- A supplier code that differs from the target's only in case is found,
-- and is a conflict because the code itself differs; a new supplier.
-- target
INSERT INTO [Suppliers] ([Description], [Code], [Multiplier A]) VALUES ('Acme', 'AB', 1.25);
-- source
INSERT INTO [Suppliers] ([Description], [Code], [Multiplier A]) VALUES ('Acme', 'ab', 1.25);
INSERT INTO [Suppliers] ([Description], [Code], [Multiplier A]) VALUES ('Brown', 'BR', 1);
